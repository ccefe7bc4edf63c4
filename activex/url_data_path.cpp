#include "activex/url_data_path.h"

#include "activex/control_feeding.h"

std::unique_ptr<ControlDownload> MakeUrlControlDownload(ControlDownloadHost& host)
{
    return std::make_unique<ControlFeeding>(host, std::make_unique<UrlDataPath>());
}
