#pragma once

#include "script/runtime/Items.h"

namespace pgx::script {

class TkxScript;

// Lists, strings, streams, components and the XML classes, with the file
// mode, seek origin and list constants.
class TkxClassesFunctions : public TkxItemList
{
public:
    explicit TkxClassesFunctions(TkxScript &script);
};

// The INI file classes.
class TkxIniFunctions : public TkxItemList
{
public:
    explicit TkxIniFunctions(TkxScript &script);
};

// Registers TkxXMLItem and TkxXMLDocument (part of the classes module).
void registerXmlClasses(TkxScript &script);

}   // namespace pgx::script
