#pragma once
// The help page of the commands and their keys, made from the command table so that the help
// can never disagree with the menus and the accelerators.

#include <string>

// The HTML of keys.html: one row per command of the table, in the table's order.
std::string KeysPageHtml();
