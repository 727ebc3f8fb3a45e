# Lays the sample catalogs beside the executables: "Catalog" with the English
# standards tree and "Каталог" with the Russian one (nominative and genitive),
# a word file in every key folder, and a few documents and folders to browse.
#
#   cmake -DORVANE_BIN_DIR=<folder of the executables> [-DORVANE_PLATFORM=windows]
#         -P sample_catalog.cmake
#
# The documents write folder paths as the platform does: with backslashes for
# the Windows programs (ORVANE_PLATFORM=windows), with slashes otherwise.
#
# Only what is missing is made. A key folder that exists is left as it is, so a
# word file the user renamed (or removed) in the build tree stays that way
# across builds; a key folder or a document that is missing is made again.
# Delete a catalog to have it laid afresh.
#
# Every text file is UTF-8 with a byte-order mark, so that Windows editors
# (Notepad, Wine's too) read the Russian ones as UTF-8 and not in the ANSI code
# page.

if(NOT ORVANE_BIN_DIR)
  message(FATAL_ERROR "sample_catalog.cmake needs -DORVANE_BIN_DIR=<folder>")
endif()

string(ASCII 239 187 191 bom)  # U+FEFF in UTF-8
if(ORVANE_PLATFORM STREQUAL "windows")
  set(sep "\\")
else()
  set(sep "/")
endif()
set(word_note "The name of this file, less its extension, is the word the program shows.\n")

function(text_file path text)
  file(WRITE "${path}" "${bom}${text}")
endfunction()

# A key folder holding one word file; nothing is touched when the key folder exists.
function(key_folder folder word)
  if(NOT IS_DIRECTORY "${folder}")
    file(MAKE_DIRECTORY "${folder}")
    text_file("${folder}/${word}.txt" "${word_note}")
  endif()
endfunction()

# Key folders named by `keys`, each with the word of the same position in `words`.
function(key_folders parent keys words)
  list(LENGTH keys count)
  math(EXPR last "${count} - 1")
  foreach(i RANGE ${last})
    list(GET keys ${i} key)
    list(GET words ${i} word)
    key_folder("${parent}/${key}" "${word}")
  endforeach()
endfunction()

# A document; its text may be given in several pieces (lines), joined as they are.
function(document path text)
  foreach(more IN LISTS ARGN)
    string(APPEND text "${more}")
  endforeach()
  if(NOT EXISTS "${path}")
    text_file("${path}" "${text}")
  endif()
endfunction()

# --- English ---------------------------------------------------------------
set(catalog "${ORVANE_BIN_DIR}/Catalog")
set(time "${catalog}/Standards/Time")
set(days Monday Tuesday Wednesday Thursday Friday Saturday Sunday)
set(months January February March April May June July August September October November December)

key_folders("${time}/Day of Week" "${days}" "${days}")
key_folders("${time}/Months" "${months}" "${months}")
key_folder("${time}/Year" "year")

document("${catalog}/Readme.txt"
  "This is the sample catalog. Click a folder to enter it, \"..\" to go back up, and a file to open it.\n"
  "The words of the dates are the names of the files in Standards${sep}Time: rename one and watch the window.\n")
document("${catalog}/Notes.txt" "Notes kept in the catalog.\n")
file(MAKE_DIRECTORY "${catalog}/Documents/Letters")
document("${catalog}/Documents/Report.txt" "A report.\n")
document("${catalog}/Documents/Letters/Letter to a friend.txt" "Dear friend,\n")
file(MAKE_DIRECTORY "${catalog}/Pictures")
document("${catalog}/Pictures/About pictures.txt" "Pictures would go here.\n")

# --- Russian ---------------------------------------------------------------
set(catalog "${ORVANE_BIN_DIR}/Каталог")
set(time "${catalog}/Стандарты/Время")
set(day_keys Понедельник Вторник Среда Четверг Пятница Суббота Воскресение)
set(day_words Понедельник Вторник Среда Четверг Пятница Суббота Воскресенье)
set(month_keys Январь Февраль Март Апрель Май Июнь Июль Август Сентябрь Октябрь Ноябрь Декабрь)
set(month_genitive января февраля марта апреля мая июня июля августа сентября октября ноября декабря)

key_folders("${time}/Именительный/День недели" "${day_keys}" "${day_words}")
key_folders("${time}/Именительный/Месяцы" "${month_keys}" "${month_keys}")
key_folders("${time}/Родительный/Месяцы" "${month_keys}" "${month_genitive}")
key_folder("${time}/Родительный/Год" "года")

document("${catalog}/Прочти меня.txt"
  "Это образец каталога. Щёлкните папку, чтобы войти в неё, \"..\", чтобы вернуться, и файл, чтобы открыть его.\n"
  "Слова дат — это имена файлов в папке Стандарты${sep}Время: переименуйте один и посмотрите на окно.\n")
document("${catalog}/Заметки.txt" "Заметки в каталоге.\n")
file(MAKE_DIRECTORY "${catalog}/Документы/Письма")
document("${catalog}/Документы/Отчёт.txt" "Отчёт.\n")
document("${catalog}/Документы/Письма/Письмо другу.txt" "Дорогой друг,\n")
file(MAKE_DIRECTORY "${catalog}/Картинки")
document("${catalog}/Картинки/О картинках.txt" "Здесь могли бы быть картинки.\n")
