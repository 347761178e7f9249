#pragma once

#include "core/async/stoptoken.h"
#include "core/model/leadrow.h"

#include <qcoro/qcorotask.h>

class EmailHarvester;
class MailExchangerCheck;

// Fills a row's contact columns from the harvest that filled its Email cell: per address, in the
// Email cell's order and separated as it separates them, its grade (its kinds, then what DNS
// says of its domain's mail server) and the page it came from; and the social profile links.
// Without mailServers every address's server is "not checked".
QCoro::Task<> FillContactColumns(LeadRow &row, const EmailHarvester &harvest, MailExchangerCheck *mailServers,
                                 StopToken stop);
