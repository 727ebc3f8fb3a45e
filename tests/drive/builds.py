"""What differs between the English and the Russian build as a person sees
it, and what a build's catalog says the window must show: the words of the
clock lines, the rows of the file list, the frame-rate line's numbers."""

import os
import re
import shutil

LANGUAGES = {
    "en": {
        "exe": "orvane_en.exe",
        "catalog": "Catalog",
        "ocr": "eng",
        "labels": ["London time:", "Local time:"],
        "frame_rate": r"Frame\s*rate\s*(\d+)[,.]?\s*current\s*frame\s*(\d+)",
        "day_keys": ["Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"],
        "month_keys": ["January", "February", "March", "April", "May", "June", "July", "August",
                       "September", "October", "November", "December"],
        "day_folder": ["Standards", "Time", "Day of Week"],
        "month_folder": ["Standards", "Time", "Months"],
        "month_genitive_folder": ["Standards", "Time", "Months"],
        "year_folder": ["Standards", "Time", "Year"],
        "longest_day_name": 9,
        # A folder and a document of the sample catalog.
        "sample_folder": "Documents",
        "sample_document": "Notes.txt",
        # What the Wine tests add to the catalog.
        "test_folder": "Drawer",
        "test_document": "Memo.txt",
        "inner_document": "Inner.txt",
        "new_year_word": "Annum",
    },
    "ru": {
        "exe": "orvane_ru.exe",
        "catalog": "Каталог",
        "ocr": "rus",
        "labels": ["Лондонское время:", "Местное время:"],
        "frame_rate": r"Частота\s*кадров\s*(\d+)[,.]?\s*текущий\s*кадр\s*(\d+)",
        "day_keys": ["Воскресение", "Понедельник", "Вторник", "Среда", "Четверг", "Пятница",
                     "Суббота"],
        "month_keys": ["Январь", "Февраль", "Март", "Апрель", "Май", "Июнь", "Июль", "Август",
                       "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"],
        "day_folder": ["Стандарты", "Время", "Именительный", "День недели"],
        "month_folder": ["Стандарты", "Время", "Именительный", "Месяцы"],
        "month_genitive_folder": ["Стандарты", "Время", "Родительный", "Месяцы"],
        "year_folder": ["Стандарты", "Время", "Родительный", "Год"],
        "longest_day_name": 11,
        "sample_folder": "Документы",
        "sample_document": "Заметки.txt",
        "test_folder": "Полка",
        "test_document": "Памятка.txt",
        "inner_document": "Вложение.txt",
        "new_year_word": "Летом",
    },
}


def shift(language):
    """How far everything below the calendar's weekday heads lies below its
    place for day names of no letters: 20 pixels a letter of the longest."""
    return 20 * LANGUAGES[language]["longest_day_name"]


def lay_out(bin_dir, language, programs, folder, app_name="app"):
    """One build as a user has it: `programs` and the build's catalog copied
    into folder/app_name, and an empty folder/elsewhere to start them from,
    so that the program must find its catalog itself. Returns the folders
    (app, catalog, elsewhere)."""
    app = os.path.join(folder, app_name)
    elsewhere = os.path.join(folder, "elsewhere")
    os.makedirs(app)
    os.makedirs(elsewhere)
    for program in programs:
        shutil.copy2(os.path.join(bin_dir, program), app)
    catalog = os.path.join(app, LANGUAGES[language]["catalog"])
    shutil.copytree(os.path.join(bin_dir, LANGUAGES[language]["catalog"]), catalog)
    return app, catalog, elsewhere


def word_of(folder):
    """The word a standards folder gives, and its file: its first entry (in
    the order both builds list: by name without regard to case) less its
    extension."""
    names = sorted(os.listdir(folder), key=lambda n: (n.upper(), n))
    if not names:
        return "", None
    name = names[0]
    return (name.rsplit(".", 1)[0] if "." in name else name), os.path.join(folder, name)


def key_folder(catalog, language, folder, key=None):
    """A folder of the standards tree (`folder` names it in LANGUAGES), or
    the folder of one key inside it."""
    return os.path.join(catalog, *LANGUAGES[language][folder], *([key] if key else []))


def day_key(language, moment):
    return LANGUAGES[language]["day_keys"][(moment.weekday() + 1) % 7]


def month_key(language, month):
    return LANGUAGES[language]["month_keys"][month - 1]


def listing_order(folder):
    """The rows of the file list: "." and "..", then the names in the order
    both builds list them (by name without regard to case)."""
    return [".", ".."] + sorted(os.listdir(folder), key=lambda n: (n.upper(), n))


def clock_problems(text, catalog, language, now_utc, now_local):
    """What the clock panel read back (`text`) lacks: either label, either
    clock line's weekday word and its date in the catalog's words ("09
    December 2026 year."), two times of day."""
    problems = [f"label {label!r}" for label in LANGUAGES[language]["labels"] if label not in text]
    for name, moment in (("London", now_utc), ("local", now_local)):
        day_word, _ = word_of(key_folder(catalog, language, "day_folder", day_key(language, moment)))
        month_word, _ = word_of(key_folder(catalog, language, "month_genitive_folder",
                                           month_key(language, moment.month)))
        year_word, _ = word_of(key_folder(catalog, language, "year_folder"))
        date = f"{moment.day:02d} {month_word} {moment.year} {year_word}."
        problems += [f"{name} clock line's {word!r}" for word in (day_word, date) if word not in text]
    if len(re.findall(r"\d\d:\d\d:\d\d", text)) != 2:
        problems.append("two times of day hh:mm:ss")
    return problems


def frame_rate_of(text, language):
    """The frame rate and the number of the current frame in a frame-rate
    line read back; (None, None) when it cannot be read."""
    found = re.search(LANGUAGES[language]["frame_rate"], text)
    return (int(found.group(1)), int(found.group(2))) if found else (None, None)
