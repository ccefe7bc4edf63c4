#include "activex/control_download.h"

#include "activex/url_data_path.h"

namespace {

ControlDownloadMaker currentMaker = nullptr;

} // namespace

ControlDownloadMaker CurrentControlDownloadMaker()
{
    return currentMaker != nullptr ? currentMaker : &MakeUrlControlDownload;
}

ControlDownloadMaker SetControlDownloadMaker(ControlDownloadMaker maker)
{
    ControlDownloadMaker previous = currentMaker;
    currentMaker = maker;
    return previous;
}
