#pragma once

#include <QString>
#include <optional>

namespace trek {

// Answers for the modal boxes given in advance. Tests and unattended runs queue them so that no
// person has to click; a box with a queued answer is not shown and returns that answer at once.
class NextAnswer final
{
public:
    enum class Box { YesNo, Completion, Folder, Message };

    struct Answer
    {
        int code = 0;
        QString folder; // the chosen folder, for Box::Folder
    };

    static void Queue(Box box, int code, const QString& folder = {});
    // Removes and returns the oldest queued answer for `box`.
    static std::optional<Answer> Take(Box box);
    static int Pending(Box box);
    static void Clear();
};

} // namespace trek
