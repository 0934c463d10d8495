#include "xml/portable/XmlCharsets.h"

#include "xml/portable/XmlTokenizer.h"

namespace xml {

namespace {

struct Charset {
    const char16_t* name;
    unsigned codePage;
};

const Charset kCharsets[] = {
    {u"utf-8", 65001},       {u"utf8", 65001},         {u"utf-7", 65000},       {u"utf-16", 1200},
    {u"utf-16le", 1200},     {u"utf-16be", 1201},      {u"unicode", 1200},      {u"gb2312", 936},
    {u"gbk", 936},           {u"cp936", 936},          {u"x-gbk", 936},         {u"csgb2312", 936},
    {u"gb_2312-80", 936},    {u"gb18030", 54936},      {u"hz-gb-2312", 52936},  {u"big5", 950},
    {u"big5-hkscs", 950},    {u"cn-big5", 950},        {u"x-x-big5", 950},      {u"shift_jis", 932},
    {u"shift-jis", 932},     {u"sjis", 932},           {u"x-sjis", 932},        {u"ms_kanji", 932},
    {u"windows-31j", 932},   {u"euc-jp", 20932},       {u"iso-2022-jp", 50220}, {u"csiso2022jp", 50221},
    {u"euc-kr", 949},        {u"ks_c_5601-1987", 949}, {u"iso-2022-kr", 50225}, {u"windows-874", 874},
    {u"tis-620", 874},       {u"windows-1250", 1250},  {u"windows-1251", 1251}, {u"windows-1252", 1252},
    {u"windows-1253", 1253}, {u"windows-1254", 1254},  {u"windows-1255", 1255}, {u"windows-1256", 1256},
    {u"windows-1257", 1257}, {u"windows-1258", 1258},  {u"iso-8859-1", 28591},  {u"latin1", 28591},
    {u"iso-8859-2", 28592},  {u"iso-8859-3", 28593},   {u"iso-8859-4", 28594},  {u"iso-8859-5", 28595},
    {u"iso-8859-6", 28596},  {u"iso-8859-7", 28597},   {u"iso-8859-8", 28598},  {u"iso-8859-9", 28599},
    {u"iso-8859-13", 28603}, {u"iso-8859-15", 28605},  {u"koi8-r", 20866},      {u"koi8-u", 21866},
    {u"us-ascii", 20127},    {u"ascii", 20127},        {u"ibm437", 437},        {u"ibm850", 850},
    {u"ibm866", 866},        {u"macintosh", 10000},
};

}  // namespace

unsigned CodePageOfCharset(const char16_t* name, size_t length) {
    for (const Charset& charset : kCharsets)
        if (EqualsNoCase(name, length, charset.name)) return charset.codePage;
    return 0;
}

}  // namespace xml
