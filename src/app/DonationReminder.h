#pragma once

#include <functional>
#include <string>

class QWidget;

namespace tonvela {

// The usage counter and the donation reminder. "usage" (minutes the main
// window has been open, over all runs) and "limit" (the usage after which
// the reminder appears) live in the settings section "settings".

// usage + 1.
void addUsageMinute();
// Counts a minute; when usage has passed the limit, or the limit lies
// further ahead than any answer sets, asks for a donation (modal) over
// parent. Returns whether it asked.
bool checkDonationReminder(QWidget* parent);
// limit = usage + minutes.
void setLimitAhead(int minutes);
// The donation dialog with the whole hours of use. Donate opens the
// donation page and asks again in 100 hours, Later in 5 hours, Don't donate
// in 100 hours; closing it otherwise changes nothing.
void showDonateDialog(QWidget* parent);

// The maker's donation page in the user-interface language.
std::string donationPageUrl();
// Opens it in the desktop's browser; a failure is not reported.
void openDonationPage();
// Opens web pages through opener instead of the desktop (tests); an empty
// function returns to the desktop.
using UrlOpener = std::function<void(const std::string& url)>;
void setUrlOpener(UrlOpener opener);

// True the first time in the process only: the usage counting starts once,
// with the first view.
bool beginUsageCounting();
// Lets the next view count again, as in a new process (tests).
void resetUsageCounting();

} // namespace tonvela
