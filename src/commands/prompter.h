#pragma once

#include <QString>

namespace namlex {

enum class Buttons { Ok, YesNo };
enum class MessageIcon { None, Question, Warning, Error };
enum class Answer { Ok, Yes, No };

// One modal message box. Line breaks in the text are a lone "\r".
struct Message
{
    QString text;
    QString title;
    Buttons buttons = Buttons::Ok;
    MessageIcon icon = MessageIcon::None;
    // Shown on request below the text; lines end with "\n". Empty: none.
    QString details = {};
    // Yes is the default button of every Yes/No box, OK that of every OK box.
    Answer defaultButton() const { return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok; }
    bool operator==(const Message &) const = default;
};

// Shows message boxes; the window shows real ones, tests script the answers.
class Prompter
{
public:
    virtual ~Prompter() = default;
    virtual Answer ask(const Message &message) = 0;
};

} // namespace namlex
