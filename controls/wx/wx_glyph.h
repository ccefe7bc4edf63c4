// Glyphs of the resource tables (toolbar tools, the drag cursor) as wx images.
#pragma once

#include <span>

#include <wx/cursor.h>
#include <wx/image.h>

// Rows of glyph letters as an image, transparent where blank.
wxImage GlyphImage(std::span<const char* const> rows);
// The cursor resource of that id; the fallback when there is none.
wxCursor ResourceCursor(int id, wxStockCursor fallback);
