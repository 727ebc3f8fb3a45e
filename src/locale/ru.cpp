// The Russian build's texts. The standards tree keeps each word in two cases:
// the nominative below "Именительный" and the genitive below "Родительный".
#include "locale/string_table.h"

namespace orvane {

namespace {
constexpr StringTable russian{
    .languageCode = u"ru",
    .windowTitle = u"Orvane",
    .failureTexts = {
        u"Неудача при попытке получения контекста рисования.",
        u"Неудача при попытке получения контекста рисования в памяти.",
        u"Неудача при попытке рисования.",
        u"Неудача при попытке удаления шрифта.",
        u"Неудача при попытке копировании контекста рисования из памяти.",
        u"Неудача при попытке удаления кисти.",
        u"Неудача при попытке удаления холста.",
        u"Неудача при попытке удаления контекста рисования в памяти.",
        u"Неудача при попытке удаления контекста рисования.",
    },
    .londonTimeLabel = u"Лондонское время:",
    .localTimeLabel = u"Местное время:",
    .frameRateLabel = u"Частота кадров ",
    .currentFrameLabel = u", текущий кадр ",
    .fullStop = u".",
    .rootFolderName = u"Каталог",
    .dayOfWeekKeys = {u"Понедельник", u"Вторник", u"Среда", u"Четверг", u"Пятница", u"Суббота",
                      u"Воскресение"},
    .monthKeys = {u"Январь", u"Февраль", u"Март", u"Апрель", u"Май", u"Июнь", u"Июль",
                  u"Август", u"Сентябрь", u"Октябрь", u"Ноябрь", u"Декабрь"},
    .dayOfWeekSuffix = u"Стандарты\\Время\\Именительный\\День недели",
    .monthsSuffix = u"Стандарты\\Время\\Именительный\\Месяцы",
    .monthsGenitiveSuffix = u"Стандарты\\Время\\Родительный\\Месяцы",
    .yearSuffix = u"Стандарты\\Время\\Родительный\\Год",
    .fontCharSet = 204,
};
}  // namespace

const StringTable& stringTable() { return russian; }

}  // namespace orvane
