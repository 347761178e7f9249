#pragma once

#include "core/async/stoptoken.h"
#include "core/host/hostservices.h"

#include <QString>
#include <qcoro/qcorotask.h>

class Dialogs;
class Host;
class UiTexts;

// Opens an address in the user's web browser for a button or a link of the program, and says so
// when the desktop could not: a warning box in the user's language, with the address below it as
// text to copy into a browser by hand. An address that is no web address (a row without a web
// site) opens nothing and says nothing; neither does a wait that a stop ended.
QCoro::Task<BrowserOpening> OpenLink(Host &host, Dialogs &dialogs, const UiTexts &texts, QString address,
                                     StopToken stop);
