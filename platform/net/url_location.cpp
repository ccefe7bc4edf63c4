#include "platform/net/url_location.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace {

struct UrlFree
{
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlFree>;

// "scheme:" with at least two letters, so that a drive letter is no scheme.
bool HasScheme(std::string_view text)
{
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(text[0])))
        return false;
    return std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
}

bool IsFileAddress(std::string_view text)
{
    return text.size() >= 5 && std::equal(text.begin(), text.begin() + 5, "file:", [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

XAString TakeUrl(CURLU* url)
{
    char* text = nullptr;
    if (curl_url_get(url, CURLUPART_URL, &text, 0) != CURLUE_OK)
        return XAString();
    XAString result(text);
    curl_free(text);
    return result;
}

// The folder of a page's path (decoded from a file address when it is one).
std::filesystem::path PageFolder(std::string_view base)
{
    if (base.empty())
        return std::filesystem::current_path();
    std::string path(base);
    if (IsFileAddress(base)) {
        UrlHandle url(curl_url());
        char* decoded = nullptr;
        if (!url || curl_url_set(url.get(), CURLUPART_URL, path.c_str(), 0) != CURLUE_OK ||
            curl_url_get(url.get(), CURLUPART_PATH, &decoded, CURLU_URLDECODE) != CURLUE_OK)
            return {};
        path = decoded;
        curl_free(decoded);
    }
    return std::filesystem::absolute(std::filesystem::path(path)).parent_path();
}

} // namespace

XAString ResolveDownloadLocation(const XAString& url, const XAString& base)
{
    const std::string_view text = url.View();
    if (HasScheme(text))
        return url;
    // Names written on other systems may separate folders by '\'.
    std::string relative(text);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    UrlHandle resolved(curl_url());
    if (!resolved || relative.empty())
        return XAString();
    if (HasScheme(base.View()) && !IsFileAddress(base.View())) {
        if (curl_url_set(resolved.get(), CURLUPART_URL, base.CStr(), 0) != CURLUE_OK ||
            curl_url_set(resolved.get(), CURLUPART_URL, relative.c_str(), 0) != CURLUE_OK)
            return XAString();
        return TakeUrl(resolved.get());
    }
    std::filesystem::path path(relative);
    if (path.is_relative()) {
        const std::filesystem::path folder = PageFolder(base.View());
        if (folder.empty())
            return XAString();
        path = folder / path;
    }
    const std::string plain = path.lexically_normal().string();
    if (curl_url_set(resolved.get(), CURLUPART_SCHEME, "file", 0) != CURLUE_OK ||
        curl_url_set(resolved.get(), CURLUPART_PATH, plain.c_str(), CURLU_URLENCODE) != CURLUE_OK)
        return XAString();
    return TakeUrl(resolved.get());
}
