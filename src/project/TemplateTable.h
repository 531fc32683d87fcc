#pragma once
// The program's own templates: the names of their entries inside the template library and the
// line the template list shows for each. The library's content is made to match this table.

#include <string>

// Fills g_templates with the eight rows, at the main window's creation.
void FillTemplateTable();
// "name - short description" of row `index` (0..7); empty outside the table.
std::string TemplateDescription(int index);
