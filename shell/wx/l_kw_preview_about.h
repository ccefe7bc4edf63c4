// LKWPreviewAbout: the modal about box of both deliverables (template 2209): the version line,
// the program's and the maker's pictures and lines, and the acknowledgements in a read-only
// field, laid out in dialog units.
#pragma once

#include <wx/dialog.h>

class LKWPreviewAbout final : public wxDialog
{
  public:
    explicit LKWPreviewAbout(wxWindow* parent);

    // Builds the box over the parent and runs it until OK or Escape closes it.
    static void RunModal(wxWindow* parent);
};
