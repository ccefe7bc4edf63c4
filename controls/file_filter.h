#pragma once
// The filter texts of the file dialogs ("Zyl Files|*.zyl|All Files (*.*)|*.*||"): pairs of a
// description and patterns separated by ';', the list closed by "||". Patterns match file
// names without regard to ASCII case, and "*.*" matches every name, also one without a dot.

#include "foundation/strings/xa_string.h"

#include <string>
#include <vector>

struct LFileFilter
{
    XAString description;
    std::vector<XAString> patterns;
};

std::vector<LFileFilter> ParseFileFilters(const char* filters);
// '*' any run, '?' one character; "*.*" and "*" every name.
bool FileNameMatches(const char* name, const char* pattern);
bool FileNameMatchesFilter(const char* name, const LFileFilter& filter);
// A save name without an extension gets the default one ("zyp" gives "name.zyp"); the
// overwrite question is then about that name.
XAString WithDefaultExtension(const XAString& path, const char* extension);
// The filters as the toolkit's file chooser takes them ("description|patterns|..."), whose
// patterns are case-sensitive and whose "*.*" skips names without a dot: "*.*" becomes "*" and
// every ASCII letter matches both cases ("*.zyl" becomes "*.[zZ][yY][lL]").
std::string ChooserFilterText(const char* filters);
