// PropertyListDialog: every property of an object with its current value, as its dispatch
// interface answers; a double click on a writable one asks for a new value and writes it.
#pragma once

#include "platform/com/dispatch.h"
#include "platform/com/type_info.h"

#include <wx/dialog.h>

class wxListCtrl;
class wxListEvent;

class PropertyListDialog final : public wxDialog
{
  public:
    // members: the object's dispatch interface; null shows an empty list.
    PropertyListDialog(wxWindow* parent, IDispatch& object, const TypeDescription* members);

  private:
    void Fill();
    void OnActivated(wxListEvent& event);

    IDispatch& object_;
    const TypeDescription* members_;
    wxListCtrl* list_;
};
