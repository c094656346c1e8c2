#include "SiteTable.h"

#include "SiteHosts.h"
#include "TextHelpers.h"
#include "app/SettingsStore.h"
#include "platform/Blanks.h"
#include "platform/ShellOpen.h"

#include <iterator>
#include <memory>
#include <mutex>
#include <utility>

namespace {

enum class Scheme { Http, Https };

// The text after a caption, separated by one space.
enum class Warning { None, Spelling, Ebay, SpellingOrBrand };

// One supplier row without its host (SiteHosts.cpp holds the hosts).
struct SiteRow
{
    Scheme scheme;
    bool urlSlash;              // the home page ends in "/"
    const char16_t* searchPath; // after the host; the eBay rows end in "&_sop="
    const char16_t* startLine;
    const char16_t* nextStartLine;     // nullptr: no tag
    const char16_t* cleanCodePartOnly; // nullptr: no tag
    const char16_t* price;
    const char16_t* country; // bracketed in the caption; nullptr: none
    Warning warning;
};

// Values are literal page text; tabs and the no-break space are escaped to stay visible.
const SiteRow kSiteRows[SiteCount] = {
    // 0 AT
    {Scheme::Http, true, u"/de/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Ref.: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"AT", Warning::None},
    // 1 BE
    {Scheme::Http, true, u"/fr/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Réf : {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"BE", Warning::None},
    // 2 BG
    {Scheme::Http, true, u"/bg/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Кат. №: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"BG", Warning::None},
    // 3 CH
    {Scheme::Http, true, u"/de/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Ref.: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"CH", Warning::None},
    // 4 CZ
    {Scheme::Http, true, u"/cs/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Ref.: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"CZ", Warning::None},
    // 5 DE
    {Scheme::Http, true, u"/de/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Ref.: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"DE", Warning::None},
    // 6 DK
    {Scheme::Http, true, u"/da/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Ref.: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"DK", Warning::None},
    // 7 ES
    {Scheme::Http, true, u"/es/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Ref.: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"ES", Warning::None},
    // 8 FI
    {Scheme::Http, true, u"/fi/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Viite: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"FI", Warning::None},
    // 9 FR
    {Scheme::Http, true, u"/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Réf : {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"FR", Warning::None},
    // 10 GF
    {Scheme::Http, true, u"/fr/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Réf : {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"GF", Warning::None},
    // 11 GP
    {Scheme::Http, true, u"/fr/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Réf : {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"GP", Warning::None},
    // 12 GR
    {Scheme::Http, true, u"/el/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Κωδ.: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"GR", Warning::None},
    // 13 HU
    {Scheme::Http, true, u"/hu/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Hiv.: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"HU", Warning::None},
    // 14 IE
    {Scheme::Http, true, u"/en/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Ref: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"IE", Warning::None},
    // 15 IT
    {Scheme::Http, true, u"/it/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Rif.: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"IT", Warning::None},
    // 16 LU
    {Scheme::Http, true, u"/fr/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Réf : {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"LU", Warning::None},
    // 17 MG
    {Scheme::Http, true, u"/fr/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Réf : {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"MG", Warning::None},
    // 18 NL
    {Scheme::Http, true, u"/fl/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Ref: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"NL", Warning::None},
    // 19 NO
    {Scheme::Http, true, u"/no/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Ref:{_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"NO", Warning::None},
    // 20 PT
    {Scheme::Http, true, u"/pt/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Ref.: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"PT", Warning::None},
    // 21 RE
    {Scheme::Http, true, u"/fr/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Réf : {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"RE", Warning::None},
    // 22 RO
    {Scheme::Http, true, u"/ro/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Ref: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"RO", Warning::None},
    // 23 SE
    {Scheme::Http, true, u"/sv/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Ref: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"SE", Warning::None},
    // 24 UK
    {Scheme::Http, true, u"/en/search_s_refoem_{_codepart_}.html",
     u"<span itemprop=\"brand\">{_brand_}</span> - </span>Ref: {_codepart_}</a>", nullptr, nullptr,
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", u"UK", Warning::None},
    // 25 GR
    {Scheme::Http, true, u"/antallaktika/search?s={_codepart_}", u"{_brand_} - Κωδικός: {_cleancodepart_}",
     nullptr, u"", u"<span class=\"price\">{_price_}\u00A0€</span>", u"GR", Warning::None},
    // 26 GR
    {Scheme::Http, true, u"/antallaktika/search?s={_codepart_}", u"{_brand_} - Κωδικός: {_cleancodepart_}",
     nullptr, u"", u"<span class=\"price\">{_price_}\u00A0€</span>", u"GR", Warning::Spelling},
    // 27 SK
    {Scheme::Http, true,
     u"/inshop/scripts/shop.aspx?ClearSearch=1&action=DoTecDocSearch&searchcode={_codepart_}",
     u"code={_cleancodepart_}&manufacturer={_brand_}", nullptr, u" -", u"<strong>s DPH: {_price_}&nbsp;EUR",
     u"SK", Warning::None},
    // 28 SK
    {Scheme::Http, true,
     u"/inshop/scripts/shop.aspx?ClearSearch=1&action=DoTecDocSearch&searchcode={_codepart_}",
     u"code={_cleancodepart_}&manufacturer={_brand_}", nullptr, u" -",
     u">Cena: </span>{_price_}&nbsp;EUR</strong>", u"SK", Warning::None},
    // 29 SK
    {Scheme::Http, true, u"/cautare_articol/{_cleancodepart_}/{_codepart_}/xlang.html",
     u"{_brand_} ( {_codepart_} )", nullptr, u"",
     u"<div class=\"pretonline\"><b>Cena:  {_price_} EUR</b></div>", u"SK", Warning::None},
    // 30 SK
    {Scheme::Http, true, u"/partscatalogue/0,12-{_cleancodepart_}.aspx", u"{_brand_} {_codepart_}", nullptr,
     u"", u"class=\"partscontrol-box-articles-price-gross\">{_price_} EUR", u"SK", Warning::None},
    // 31 SK
    {Scheme::Http, true, u"/Search/Number?number={_cleancodepart_}", u"{_brand_} {_codepart_}", nullptr, u"",
     u"<p class=\"ArticlePrice Current\">{_price_} <span class=\"Currency\">", u"SK", Warning::None},
    // 32 US
    {Scheme::Http, true, u"/sch/i.html?_nkw={_brand_}+%3D+{_codepart_}&_sacat=0&_sop=",
     u"{_brand_} {_codepart_}", nullptr, u"", u"\t\t\t\t\t${_price_}</span>", u"US", Warning::Ebay},
    // 33 AT
    {Scheme::Http, true, u"/sch/i.html?_nkw={_brand_}+%3D+{_codepart_}&_sacat=0&_sop=",
     u"{_brand_} {_codepart_}", nullptr, u"", u"\t\t\t\t\t<b>EUR</b> {_price_}</span>", u"AT", Warning::Ebay},
    // 34 BE
    {Scheme::Http, true, u"/sch/i.html?_nkw={_brand_}+%3D+{_codepart_}&_sacat=0&_sop=",
     u"{_brand_} {_codepart_}", nullptr, u"", u"\t\t\t\t\t<b>EUR</b> {_price_}</span>", u"BE", Warning::Ebay},
    // 35 DE
    {Scheme::Http, true, u"/sch/i.html?_nkw={_brand_}+%3D+{_codepart_}&_sacat=0&_sop=",
     u"{_brand_} {_codepart_}", nullptr, u"", u"\t\t\t\t\t<b>EUR</b> {_price_}</span>", u"DE", Warning::Ebay},
    // 36 IE
    {Scheme::Http, true, u"/sch/i.html?_nkw={_brand_}+%3D+{_codepart_}&_sacat=0&_sop=",
     u"{_brand_} {_codepart_}", nullptr, u"", u"\t\t\t\t\t<b>EUR</b> {_price_}</span>", u"IE", Warning::Ebay},
    // 37 IT
    {Scheme::Http, true, u"/sch/i.html?_nkw={_brand_}+%3D+{_codepart_}&_sacat=0&_sop=",
     u"{_brand_} {_codepart_}", nullptr, u"", u"\t\t\t\t\t<b>EUR</b> {_price_}</span>", u"IT", Warning::Ebay},
    // 38 NL
    {Scheme::Http, true, u"/sch/i.html?_nkw={_brand_}+%3D+{_codepart_}&_sacat=0&_sop=",
     u"{_brand_} {_codepart_}", nullptr, u"", u"\t\t\t\t\t<b>EUR</b> {_price_}</span>", u"NL", Warning::Ebay},
    // 39 CH
    {Scheme::Http, true, u"/sch/i.html?_nkw={_brand_}+%3D+{_codepart_}&_sacat=0&_sop=",
     u"{_brand_} {_codepart_}", nullptr, u"", u"<b>CHF</b> {_price_}</span>", u"CH", Warning::Ebay},
    // 40 UK
    {Scheme::Http, true, u"/sch/i.html?_nkw={_brand_}+%3D+{_codepart_}&_sacat=0&_sop=",
     u"{_brand_} {_codepart_}", nullptr, u"", u"£{_price_}</span>", u"UK", Warning::Ebay},
    // 41 ES
    {Scheme::Http, true, u"/Catalog/PartsList/Find?toFind={_cleancodepart_}", u"{_brand_} {_codepart_}\" ",
     nullptr, u"", u"<span class=\"toprouge\">{_price_} € IVA Inc.<br />", nullptr, Warning::None},
    // 42 DE
    {Scheme::Http, true, u"/suche.html?keyword={_cleancodepart_}", u"<b>Art. Nr: {_codepart_}</b>", nullptr,
     u"", u"<div class=\"price\">{_price_}&nbsp;&euro;</div>", nullptr, Warning::Spelling},
    // 43 SK
    {Scheme::Http, false, u"/spares-search.html?keyword={_cleancodepart_}",
     u"<b>Položka č.: {_codepart_}</b>", nullptr, u"", u"<span class=\"new_pr\">{_price_}&nbsp;&euro;</span>",
     nullptr, Warning::Spelling},
    // 44 NO
    {Scheme::Http, true, u"/suche.html?keyword={_cleancodepart_}", u"<b>Varenr: {_codepart_}</b>", nullptr,
     u"", u"<span class=\"new_pr\">{_price_}&nbsp;kr</span>", nullptr, Warning::Spelling},
    // 45 SK
    {Scheme::Http, true, u"/Search/Number?number={_cleancodepart_}", u"{_brand_} {_codepart_}", nullptr, u"",
     u"<p class=\"ArticlePrice Current\">{_price_} <", nullptr, Warning::None},
    // 46
    {Scheme::Http, true, u"/referencia.html?ref={_codepart_}", u"ref.<strong>{_codepart_}</strong><", u"",
     u"", u"</a>&nbsp;({_price_}&nbsp;&euro;*)</li>", nullptr, Warning::Spelling},
    // 47 DE
    {Scheme::Https, true, u"/products/id/0/{_cleancodepart_}/list-1-20-0", u">{_brand_}</div>",
     u"<span >{_codepart_}</span>", u" ", u"<span class=\"lb_price\"><b>{_price_}&nbsp;EUR</b></span>",
     nullptr, Warning::Spelling},
    // 48 BG
    {Scheme::Http, true, u"/search/?q={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<span itemprop=\"price\">{_price_}</span>", nullptr, Warning::Spelling},
    // 49 SK
    {Scheme::Http, true, u"/vyhladavanie-a7?q={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<strong>{_price_} €</strong>", nullptr, Warning::None},
    // 50 CZ
    {Scheme::Http, true, u"/?searchInput={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u">({_price_} Kč)</span>", nullptr, Warning::Spelling},
    // 51 AT
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Artikelnummer: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 52 DE
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Artikelnummer: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 53 BG
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Номер на артикул: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 54 LU
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Artikelnummer: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 55 EE
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Artikli number: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 56 DK
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Varenummer: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 57 CZ
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Číslo produktu: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 58 BE
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">artikelnummer: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 59 ES
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Número de artículo: {_codepart_}</span>", u"",
     u"<li><span class=\"lc\">Nuestro precio</span><span class=\"rc\">{_price_} &euro;</span></li>", nullptr,
     Warning::None},
    // 60 FI
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Tuotenumero: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 61 FR
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">UGS: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 62 UK
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Number of article: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 63 GR
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Αριθμός προϊόντος: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 64 HU
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">cikkszám: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 65 IT
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Numero articolo: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 66 LT
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Prekės numeris: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 67 LV
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Produktu skaits: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 68 NL
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">artikelnummer: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 69 NO
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Artikkelnummer: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 70 PL
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Numer artykułu: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 71 PT
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Número de artigo: {_codepart_}</span>", u"",
     u"<li><span class=\"lc\">O nosso Preço</span><span class=\"rc\">{_price_} &euro;</span></li>", nullptr,
     Warning::None},
    // 72 RO
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Numărul articolului: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 73 SE
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Artikelnummer: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 74 SI
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Številka izdelka: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 75 SK
    {Scheme::Http, true, u"/search?keyword={_cleancodepart_}", u">{_brand_}",
     u"<span class=\"article_number\">Číslo produktu: {_codepart_}</span>", u"",
     u"<meta itemprop=\"price\" content=\"{_price_}\" />", nullptr, Warning::None},
    // 76 DE
    {Scheme::Http, true, u"/catalogsearch/result/?q={_cleancodepart_}", u"title=\"{_brand_} ",
     u" {_codepart_}\" class=\"product-detail-text\">", u"", u"<span class=\"price\">{_price_}€</span>",
     nullptr, Warning::Spelling},
    // 77 BE
    {Scheme::Http, true, u"/part-finder?keyword={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<span>{_price_}&nbsp;&euro;</span>", nullptr, Warning::None},
    // 78 BE
    {Scheme::Http, true, u"/zoeken?keyword={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<span>{_price_}&nbsp;&euro;</span>", nullptr, Warning::None},
    // 79 DK
    {Scheme::Http, true, u"/ersatzteile-suche?keyword={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<span>{_price_}&nbsp;kr.</span>", nullptr, Warning::None},
    // 80 PT
    {Scheme::Http, true, u"/ersatzteile-suche?keyword={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<span>{_price_}&nbsp;&euro;</span>", nullptr, Warning::None},
    // 81 SE
    {Scheme::Http, true, u"/ersatzteile-suche?keyword={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<span>{_price_}&nbsp;kr</span>", nullptr, Warning::None},
    // 82 NO
    {Scheme::Http, true, u"/ersatzteile-suche?keyword={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<span>{_price_}&nbsp;kr</span>", nullptr, Warning::None},
    // 83 NL
    {Scheme::Http, true, u"/ersatzteile-suche?keyword={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<span>{_price_}&nbsp;&euro;</span>", nullptr, Warning::None},
    // 84 FI
    {Scheme::Http, true, u"/ersatzteile-suche?keyword={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<span>{_price_}&nbsp;&euro;</span>", nullptr, Warning::None},
    // 85 CH
    {Scheme::Http, true, u"/ersatzteile-suche?keyword={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<span>{_price_}&nbsp;CHF</span>", nullptr, Warning::None},
    // 86 IT
    {Scheme::Http, true, u"/ersatzteile-suche?keyword={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<span>{_price_}&nbsp;&euro;</span>", nullptr, Warning::None},
    // 87 FR
    {Scheme::Http, true, u"/part-finder?keyword={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<span>{_price_}&nbsp;&euro;</span>", nullptr, Warning::None},
    // 88 ES
    {Scheme::Http, true, u"/ersatzteile-suche?keyword={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<span>{_price_}&nbsp;&euro;</span>", nullptr, Warning::None},
    // 89 DE
    {Scheme::Http, true, u"/ersatzteile-suche?keyword={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<span>{_price_}&nbsp;&euro;</span>", nullptr, Warning::None},
    // 90 AT
    {Scheme::Http, true, u"/ersatzteile-suche?keyword={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<span>{_price_}&nbsp;&euro;</span>", nullptr, Warning::None},
    // 91
    {Scheme::Http, true, u"/recherche?q={_cleancodepart_}", u"{_brand_} {_codepart_}", u"", u"",
     u"<p class=\"prix\">{_price_} € </p>", nullptr, Warning::SpellingOrBrand},
    // 92 DE
    {Scheme::Http, true, u"/autoteile/teile-g10001.html?q={_cleancodepart_}", u"\"{_brand_} {_codepart_}\"",
     u"", u"", u"<div class=\"price\" itemprop=\"price\"><strong>{_price_} EUR</strong></div>", nullptr,
     Warning::None},
    // 93
    {Scheme::Http, true, u"/rechercher?keyword={_cleancodepart_}", u"{_codepart_} des {_brand_}", u"", u"",
     u"<span class=\"old_pr\">{_price_}&nbsp;&euro;</span>", nullptr, Warning::None},
    // 94 RO
    {Scheme::Https, false, u"/piese-auto?c={_cleancodepart_}&type=t", u"{_brand_} {_codepart_}</a>", u"", u"",
     u"<skm itemprop=\"price\">{_price_} Lei</skm>", nullptr, Warning::None},
    // 95 RO
    {Scheme::Http, true, u"/cautare-dupa-cod-produs?search={_cleancodepart_}",
     u"<span class=\"sku_prod\">{_codepart_}</span>",
     u"<span class=\"mfname\">\t\t\t\t\t\t\t\t\t\t\t\t\t{_brand_}\t\t\t\t\t\t\t\t\t\t\t</span>", u"",
     u"<span class=\"price-magazin\">{_price_} Ron</span>", nullptr, Warning::None},
};

static_assert(std::size(kSiteRows) == SiteCount);

// Rows before this one are the country sites of one shop, captioned by its name.
constexpr int ShopNamedRows = 25;

constexpr int FirstEbayRow = 32;
const char16_t* const kEbayKeys[] = {u"SotfForEbayCom", u"SotfForEbayAt", u"SotfForEbayBe",
                                     u"SotfForEbayDe",  u"SotfForEbayIe", u"SotfForEbayIt",
                                     u"SotfForEbayNl",  u"SotfForEbayCh", u"SotfForEbayCoUk"};

// Indexed by the stored choice.
const char16_t* const kEbaySortChoices[] = {u"Best Match",
                                            u"Time: Ending Soonest",
                                            u"Time: Newly Listed",
                                            u"Price: Lowest First",
                                            u"Price: Highest First",
                                            u"Price + Shipping: Lowest First",
                                            u"Price + Shipping: Highest First",
                                            u"Distance: Nearest First"};
constexpr int kEbaySortCodes[] = {12, 1, 10, 2, 3, 15, 16, 7};
constexpr int BestMatchCode = 12;
static_assert(std::size(kEbaySortChoices) == std::size(kEbaySortCodes));

QString Text(const char16_t* text)
{
    return QString::fromUtf16(text);
}

std::optional<QString> OptionalText(const char16_t* text)
{
    if (!text)
        return std::nullopt;
    return Text(text);
}

QString WarningText(Warning warning)
{
    switch (warning) {
    case Warning::None:
        break;
    case Warning::Spelling:
        return QStringLiteral(
            "!!! errors may occur for some brands where parts codes do not match with correct spelling");
    case Warning::Ebay:
        return QStringLiteral("!!! Here errors may occur, as this web-site does not have a standardization "
                              "of writing brand names and code parts.");
    case Warning::SpellingOrBrand:
        return QStringLiteral("!!! errors may occur for some brands where parts codes or modified name brand "
                              "do not match with correct spelling");
    }
    return QString();
}

QString Tagged(const QString& tag, const QString& value)
{
    return QLatin1String("<#") + tag + QLatin1Char('>') + value + QLatin1String("</#") + tag +
           QLatin1Char('>');
}

// Copied under the lock and called outside it, so a slow override never blocks a swap.
std::mutex g_overrideMutex;
std::shared_ptr<const SiteTableOverride> g_override;

} // namespace

QString MakeSiteTemplate(const SiteFields& fields)
{
    QString text = Tagged(QStringLiteral("url"), fields.url) +
                   Tagged(QStringLiteral("searchpage"), fields.searchpage) +
                   Tagged(QStringLiteral("getstartline"), fields.getstartline);
    if (fields.getnextstartline)
        text += Tagged(QStringLiteral("getnextstartline"), *fields.getnextstartline);
    if (fields.cleancodepartonly)
        text += Tagged(QStringLiteral("cleancodepartonly"), *fields.cleancodepartonly);
    text += Tagged(QStringLiteral("getprice"), fields.getprice);
    return text;
}

QString BuiltInSiteTemplate(int index, const QString& folder)
{
    if (index < 0 || index >= SiteCount)
        return QString();
    const SiteRow& row = kSiteRows[index];
    const QString origin =
        (row.scheme == Scheme::Https ? QLatin1String("https://") : QLatin1String("http://")) +
        SiteHost(index);

    SiteFields fields;
    fields.url = row.urlSlash ? origin + QLatin1Char('/') : origin;
    fields.searchpage = origin + Text(row.searchPath);
    if (!EbaySortKey(index).isEmpty())
        fields.searchpage += QString::number(EbaySortCode(ReadEbaySortChoice(index, folder)));
    fields.getstartline = Text(row.startLine);
    fields.getnextstartline = OptionalText(row.nextStartLine);
    fields.cleancodepartonly = OptionalText(row.cleanCodePartOnly);
    fields.getprice = Text(row.price);
    return MakeSiteTemplate(fields);
}

QString SiteTemplate(int index, const QString& folder)
{
    if (index < 0 || index >= SiteCount)
        return QString();
    std::shared_ptr<const SiteTableOverride> override;
    {
        std::lock_guard lock(g_overrideMutex);
        override = g_override;
    }
    if (override)
        return (*override)(index);
    return BuiltInSiteTemplate(index, folder);
}

SiteTableOverride setSiteTableOverride(SiteTableOverride override)
{
    auto next = override ? std::make_shared<const SiteTableOverride>(std::move(override)) : nullptr;
    std::shared_ptr<const SiteTableOverride> previous;
    {
        std::lock_guard lock(g_overrideMutex);
        previous = std::exchange(g_override, std::move(next));
    }
    return previous ? *previous : SiteTableOverride();
}

QString SiteField(const QString& siteTemplate, const QString& tag)
{
    return TextBetween(siteTemplate, QLatin1String("<#") + tag + QLatin1Char('>'),
                       QLatin1String("</#") + tag + QLatin1Char('>'));
}

QString SupplierCaption(int index)
{
    if (index < 0 || index >= SiteCount)
        return QString();
    const SiteRow& row = kSiteRows[index];
    QString caption = index < ShopNamedRows ? QStringLiteral("MISTER-AUTO") : SiteHost(index).toUpper();
    if (row.country)
        caption += QLatin1String(" [") + Text(row.country) + QLatin1Char(']');
    if (row.warning != Warning::None)
        caption += QLatin1Char(' ') + WarningText(row.warning);
    return caption;
}

QStringList SupplierCaptions()
{
    QStringList captions;
    captions.reserve(SiteCount);
    for (int i = 0; i < SiteCount; ++i)
        captions.append(SupplierCaption(i));
    return captions;
}

QString SiteHomePage(int index, const QString& folder)
{
    return SiteField(SiteTemplate(index, folder), QStringLiteral("url"));
}

bool OpenSiteHomePage(int index, const QString& folder)
{
    const QString url = SiteHomePage(index, folder);
    if (TrimBlanks(url).isEmpty())
        return false;
    ShellOpen(url);
    return true;
}

bool IsEbaySite(int index)
{
    return SupplierCaption(index).contains(QLatin1String("EBAY."));
}

QString EbaySortKey(int index)
{
    const int slot = index - FirstEbayRow;
    if (slot < 0 || slot >= int(std::size(kEbayKeys)))
        return QString();
    return Text(kEbayKeys[slot]);
}

QStringList EbaySortChoices()
{
    QStringList choices;
    for (const char16_t* choice : kEbaySortChoices)
        choices.append(Text(choice));
    return choices;
}

int EbaySortCode(int storedChoice)
{
    if (storedChoice < 0 || storedChoice >= int(std::size(kEbaySortCodes)))
        return BestMatchCode;
    return kEbaySortCodes[storedChoice];
}

int ReadEbaySortChoice(int index, const QString& folder)
{
    const QString key = EbaySortKey(index);
    if (key.isEmpty())
        return 0;
    const SettingsStore settings(SettingsFilePath(folder));
    return settings.ReadInteger(Text(EbaySettingsSection), key, 0);
}

void StoreEbaySortChoice(int index, int choice, const QString& folder)
{
    const QString key = EbaySortKey(index);
    if (key.isEmpty())
        return;
    SettingsStore settings(SettingsFilePath(folder));
    settings.WriteInteger(Text(EbaySettingsSection), key, choice);
    settings.UpdateFile();
}
