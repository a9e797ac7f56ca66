// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace updater {

// Where the updater's texts go: standard output, for whoever watches its console, and a log
// beside the updater in the working folder's tmp folder, for whoever wonders afterwards.
class Console final
{
public:
    explicit Console(const std::string& logPath);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    void write(const std::string& text) const;

private:
    int m_log = -1;
};

} // namespace updater
