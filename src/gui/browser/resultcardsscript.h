#pragma once

#include <QString>

// JavaScript that reads a company result page in today's layout as cards (rules in the .cpp).
// It runs in the isolated application world and answers with JSON text.
namespace ResultCardsScript {

QString Source();

} // namespace ResultCardsScript
