#include "SiteHosts.h"

#include <iterator>

namespace {

// Deployment values: the host of every supplier row, in supplier list order. Rows marked
// FILL IN stand on placeholders under the reserved .example domain until the shop's real host
// is entered here; the host also gives the row's caption, so keep "ebay." out of any row but
// the eBay rows, which the eBay sort list is keyed on.
const char16_t* const kSiteHosts[] = {
    u"www.mister-auto.at",    // 0
    u"www.mister-auto.be",    // 1
    u"www.mister-auto.bg",    // 2
    u"www.mister-auto.ch",    // 3
    u"www.mister-auto.cz",    // 4
    u"www.mister-auto.de",    // 5
    u"www.mister-auto.dk",    // 6
    u"www.mister-auto.es",    // 7
    u"www.mister-auto.fi",    // 8
    u"www.mister-auto.com",   // 9 the French shop is the main site: its search path has no language
    u"www.mister-auto.gf",    // 10
    u"www.mister-auto.gp",    // 11
    u"www.mister-auto.gr",    // 12
    u"www.mister-auto.hu",    // 13
    u"www.mister-auto.ie",    // 14
    u"www.mister-auto.it",    // 15
    u"www.mister-auto.lu",    // 16
    u"www.mister-auto.mg",    // 17
    u"www.mister-auto.nl",    // 18
    u"www.mister-auto.no",    // 19
    u"www.mister-auto.pt",    // 20
    u"www.mister-auto.re",    // 21
    u"www.mister-auto.ro",    // 22
    u"www.mister-auto.se",    // 23
    u"www.mister-auto.co.uk", // 24
    u"www.shop25.example",    // 25 FILL IN: GR shop
    u"www.shop26.example",    // 26 FILL IN: GR shop
    u"www.shop27.example",    // 27 FILL IN: SK shop
    u"www.shop28.example",    // 28 FILL IN: SK shop
    u"www.shop29.example",    // 29 FILL IN: SK shop
    u"www.shop30.example",    // 30 FILL IN: SK shop
    u"www.shop31.example",    // 31 FILL IN: SK shop
    u"www.ebay.com",          // 32
    u"www.ebay.at",           // 33
    u"www.benl.ebay.be",      // 34 the Dutch-language site: its price layout is that of rows 33-38
    u"www.ebay.de",           // 35
    u"www.ebay.ie",           // 36
    u"www.ebay.it",           // 37
    u"www.ebay.nl",           // 38
    u"www.ebay.ch",           // 39
    u"www.ebay.co.uk",        // 40
    u"www.shop41.example",    // 41 FILL IN: ES shop
    u"www.shop42.example",    // 42 FILL IN: DE shop
    u"www.shop43.example",    // 43 FILL IN: SK shop
    u"www.shop44.example",    // 44 FILL IN: NO shop
    u"www.shop31.example",    // 45 FILL IN: same shop as row 31
    u"www.shop46.example",    // 46 FILL IN: country unknown shop
    u"www.shop47.example",    // 47 FILL IN: DE shop
    u"www.shop48.example",    // 48 FILL IN: BG shop
    u"www.shop49.example",    // 49 FILL IN: SK shop
    u"www.shop50.example",    // 50 FILL IN: CZ shop
    u"www.shop51.example",    // 51 FILL IN: AT site of the shop of rows 51-75
    u"www.shop52.example",    // 52 FILL IN: DE site of the shop of rows 51-75
    u"www.shop53.example",    // 53 FILL IN: BG site of the shop of rows 51-75
    u"www.shop54.example",    // 54 FILL IN: LU site of the shop of rows 51-75
    u"www.shop55.example",    // 55 FILL IN: EE site of the shop of rows 51-75
    u"www.shop56.example",    // 56 FILL IN: DK site of the shop of rows 51-75
    u"www.shop57.example",    // 57 FILL IN: CZ site of the shop of rows 51-75
    u"www.shop58.example",    // 58 FILL IN: BE site of the shop of rows 51-75
    u"www.shop59.example",    // 59 FILL IN: ES site of the shop of rows 51-75
    u"www.shop60.example",    // 60 FILL IN: FI site of the shop of rows 51-75
    u"www.shop61.example",    // 61 FILL IN: FR site of the shop of rows 51-75
    u"www.shop62.example",    // 62 FILL IN: UK site of the shop of rows 51-75
    u"www.shop63.example",    // 63 FILL IN: GR site of the shop of rows 51-75
    u"www.shop64.example",    // 64 FILL IN: HU site of the shop of rows 51-75
    u"www.shop65.example",    // 65 FILL IN: IT site of the shop of rows 51-75
    u"www.shop66.example",    // 66 FILL IN: LT site of the shop of rows 51-75
    u"www.shop67.example",    // 67 FILL IN: LV site of the shop of rows 51-75
    u"www.shop68.example",    // 68 FILL IN: NL site of the shop of rows 51-75
    u"www.shop69.example",    // 69 FILL IN: NO site of the shop of rows 51-75
    u"www.shop70.example",    // 70 FILL IN: PL site of the shop of rows 51-75
    u"www.shop71.example",    // 71 FILL IN: PT site of the shop of rows 51-75
    u"www.shop72.example",    // 72 FILL IN: RO site of the shop of rows 51-75
    u"www.shop73.example",    // 73 FILL IN: SE site of the shop of rows 51-75
    u"www.shop74.example",    // 74 FILL IN: SI site of the shop of rows 51-75
    u"www.shop75.example",    // 75 FILL IN: SK site of the shop of rows 51-75
    u"www.shop76.example",    // 76 FILL IN: DE shop
    u"www.shop77.example",    // 77 FILL IN: BE shop, page layout shared by rows 77-90
    u"www.shop78.example",    // 78 FILL IN: BE shop, page layout shared by rows 77-90
    u"www.shop79.example",    // 79 FILL IN: DK shop, page layout shared by rows 77-90
    u"www.shop80.example",    // 80 FILL IN: PT shop, page layout shared by rows 77-90
    u"www.shop81.example",    // 81 FILL IN: SE shop, page layout shared by rows 77-90
    u"www.shop82.example",    // 82 FILL IN: NO shop, page layout shared by rows 77-90
    u"www.shop83.example",    // 83 FILL IN: NL shop, page layout shared by rows 77-90
    u"www.shop84.example",    // 84 FILL IN: FI shop, page layout shared by rows 77-90
    u"www.shop85.example",    // 85 FILL IN: CH shop, page layout shared by rows 77-90
    u"www.shop86.example",    // 86 FILL IN: IT shop, page layout shared by rows 77-90
    u"www.shop87.example",    // 87 FILL IN: FR shop, page layout shared by rows 77-90
    u"www.shop88.example",    // 88 FILL IN: ES shop, page layout shared by rows 77-90
    u"www.shop89.example",    // 89 FILL IN: DE shop, page layout shared by rows 77-90
    u"www.shop90.example",    // 90 FILL IN: AT shop, page layout shared by rows 77-90
    u"www.shop91.example",    // 91 FILL IN: country unknown shop
    u"www.shop92.example",    // 92 FILL IN: DE shop
    u"www.shop93.example",    // 93 FILL IN: country unknown shop
    u"www.shop94.example",    // 94 FILL IN: RO shop
    u"www.shop95.example",    // 95 FILL IN: RO shop
};

static_assert(std::size(kSiteHosts) == 96);

} // namespace

QString SiteHost(int index)
{
    if (index < 0 || index >= int(std::size(kSiteHosts)))
        return QString();
    return QString::fromUtf16(kSiteHosts[index]);
}
