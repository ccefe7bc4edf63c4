// What the player's gui tests ask of the display: its windows by title, read with zylshot.
#pragma once

#include "platform/wx/test_support/x_session.h"

#include <sstream>
#include <string>
#include <vector>

// The ids of the shown top-level windows with exactly this title.
inline std::vector<std::string> WindowsTitled(const XSession& session, const std::string& wanted)
{
    std::string titles;
    session.Run(std::string(ZYLSHOT) + " titles", &titles);
    std::istringstream lines(titles);
    std::vector<std::string> ids;
    std::string id;
    std::string title;
    while (lines >> id && std::getline(lines, title)) {
        if (title == " " + wanted)
            ids.push_back(id);
    }
    return ids;
}
