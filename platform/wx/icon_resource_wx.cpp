#include "platform/wx/icon_resource_wx.h"

#include "platform/resources.h"

#include <wx/bitmap.h>
#include <wx/image.h>
#include <wx/mstream.h>

wxIcon IconFromResource(int32_t iconId)
{
    const PictureResource* picture = FindPictureResource(ResourceKind::Icon, iconId);
    if (picture == nullptr)
        return wxNullIcon;
    wxMemoryInputStream stream(picture->png, picture->size);
    wxImage image(stream, wxBITMAP_TYPE_PNG);
    if (!image.IsOk())
        return wxNullIcon;
    wxIcon icon;
    icon.CopyFromBitmap(wxBitmap(image));
    return icon;
}
