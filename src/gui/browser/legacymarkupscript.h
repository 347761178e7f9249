#pragma once

#include <QString>

// JavaScript that serialises the document the way the page parsers expect (rules in the .cpp).
// It runs in the isolated application world, so page scripts cannot replace what it calls.
namespace LegacyMarkupScript {

// Installs the serialiser as globalThis.__tarnwickLegacy; injected at document creation.
QString Installer();

// An expression that calls method(arguments) on the serialiser, installing it first where the
// injected script never ran (the initial empty document, engine error pages).
QString Call(const QString &method, const QString &arguments = QString());

} // namespace LegacyMarkupScript
