#include "screens/system_language.h"

#include "platform/locale_language.h"

#include <array>

namespace stellaro {

namespace {

constexpr std::array<SystemLanguage, 67> SYSTEM_LANGUAGES = {{
    {1, "AR", "ARABIC"},      {2, "BG", "BULGARIAN"},   {3, "CA", "CATALAN"},     {4, "ZH", "CHINESE"},
    {5, "CS", "CZECH"},       {6, "DA", "DANISH"},      {7, "DE", "GERMAN"},      {8, "EL", "GREEK"},
    {9, "EN", "ENGLISH"},     {10, "ES", "SPANISH"},    {11, "FI", "FINNISH"},    {12, "FR", "FRENCH"},
    {13, "HE", "HEBREW"},     {14, "HU", "HUNGARIAN"},  {15, "IS", "ICELANDIC"},  {16, "IT", "ITALIAN"},
    {17, "JA", "JAPANESE"},   {18, "KO", "KOREAN"},     {19, "NL", "DUTCH"},      {20, "NO", "NORWEGIAN"},
    {21, "PL", "POLISH"},     {22, "PT", "PORTUGUESE"}, {24, "RO", "ROMANIAN"},   {25, "RU", "RUSSIAN"},
    {26, "HR", "CROATIAN"},   {27, "SK", "SLOVAK"},     {28, "SQ", "ALBANIAN"},   {29, "SV", "SWEDISH"},
    {30, "TH", "THAI"},       {31, "TR", "TURKISH"},    {32, "UR", "URDU"},       {33, "ID", "INDONESIAN"},
    {34, "UK", "UKRAINIAN"},  {35, "BE", "BYELORUSSIAN"}, {36, "SL", "SLOVENIAN"}, {37, "ET", "ESTONIAN"},
    {38, "LV", "LATVIAN"},    {39, "LT", "LITHUANIAN"}, {41, "FA", "PERSIAN"},    {42, "VI", "VIETNAMESE"},
    {43, "HY", "ARMENIAN"},   {44, "AZ", "AZERBAIJANI"}, {45, "EU", "BASQUE"},    {47, "MK", "MACEDONIAN"},
    {54, "AF", "AFRIKAANS"},  {55, "KA", "GEORGIAN"},   {56, "FO", "FAROESE"},    {57, "HI", "HINDI"},
    {62, "MS", "MALAY"},      {63, "KK", "KAZAKH"},     {65, "SW", "SWAHILI"},    {67, "UZ", "UZBEK"},
    {68, "TT", "TATAR"},      {69, "BN", "BENGALI"},    {70, "PA", "PUNJABI"},    {71, "GU", "GUJARATI"},
    {72, "OR", "ORIYA"},      {73, "TA", "TAMIL"},      {74, "TE", "TELUGU"},     {75, "KN", "KANNADA"},
    {76, "ML", "MALAYALAM"},  {77, "AS", "ASSAMESE"},   {78, "MR", "MARATHI"},    {79, "SA", "SANSKRIT"},
    {89, "SD", "SINDHI"},     {96, "KS", "KASHMIRI"},   {97, "NE", "NEPALI"},
}};

} // namespace

std::u16string system_language_for_code(std::string_view code)
{
    // Norwegian locales name the written standard (Bokmål, Nynorsk) rather than the language.
    if (code == "NB" || code == "NN")
        code = "NO";
    for (const SystemLanguage& language : SYSTEM_LANGUAGES)
        if (code == language.code) {
            const std::string_view name = language.name;
            return {name.begin(), name.end()};
        }
    return {};
}

std::u16string system_language_name() { return system_language_for_code(locale_language_code()); }

} // namespace stellaro
