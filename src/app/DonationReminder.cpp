#include "app/DonationReminder.h"

#include "app/dialogs/DonateDialog.h"
#include "platform/store/Settings.h"
#include "resources/Language.h"
#include "resources/Maker.h"

#include <QDesktopServices>
#include <QUrl>

#include <algorithm>
#include <climits>

namespace tonvela {

namespace {

const char* const Section = "settings";
constexpr int DefaultLimit = 6000;
// Minutes an answer puts the next question ahead.
constexpr int MinutesAfterAnswer = 6000;
constexpr int MinutesLater = 300;

UrlOpener& openerHook() {
    static UrlOpener hook;
    return hook;
}

int usage() {
    return getProfileInt(Section, "usage", 0);
}

// usage + 1, kept from wrapping round in a file edited by hand.
int nextUsage() {
    return usage() == INT_MAX ? INT_MAX : usage() + 1;
}

} // namespace

void addUsageMinute() {
    writeProfileInt(Section, "usage", nextUsage());
}

bool checkDonationReminder(QWidget* parent) {
    const int n = nextUsage();
    writeProfileInt(Section, "usage", n);
    const long long limit = getProfileInt(Section, "limit", DefaultLimit);
    if (n > limit || limit > static_cast<long long>(n) + 6001) {
        showDonateDialog(parent);
        return true;
    }
    return false;
}

void setLimitAhead(int minutes) {
    const long long limit = static_cast<long long>(usage()) + minutes;
    writeProfileInt(Section, "limit", static_cast<int>(std::min<long long>(limit, INT_MAX)));
}

void showDonateDialog(QWidget* parent) {
    DonateDialog dialog(std::max(usage(), 0) / 60, parent);
    switch (dialog.exec()) {
    case DonateDialog::IDC_DONATE:
        openDonationPage();
        setLimitAhead(MinutesAfterAnswer);
        break;
    case DonateDialog::IDC_LATER:
        setLimitAhead(MinutesLater);
        break;
    case DonateDialog::IDC_DONT_DONATE:
        setLimitAhead(MinutesAfterAnswer);
        break;
    default:
        break;
    }
}

std::string donationPageUrl() {
    return std::string(MakerWebAddress) + (isGermanLanguage() ? "/donate_de.html" : "/donate.html");
}

void openDonationPage() {
    const std::string url = donationPageUrl();
    if (openerHook())
        openerHook()(url);
    else
        QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

void setUrlOpener(UrlOpener opener) {
    openerHook() = std::move(opener);
}

namespace {

bool usageCountingBegun = false;

} // namespace

bool beginUsageCounting() {
    if (usageCountingBegun)
        return false;
    usageCountingBegun = true;
    return true;
}

void resetUsageCounting() {
    usageCountingBegun = false;
}

} // namespace tonvela
