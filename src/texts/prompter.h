#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace namlex {

enum class Buttons { Ok, YesNo };
enum class MessageIcon { None, Question, Warning, Error };
enum class Answer { Ok, Yes, No };

// A table shown on request below a box's text, such as the plan of a run.
// Its cells are made only when they are looked at, so that a table of tens
// of thousands of rows costs nothing until then.
class DetailTable
{
public:
    virtual ~DetailTable() = default;
    virtual QStringList headers() const = 0;
    virtual int rowCount() const = 0;
    virtual QString cell(int row, int column) const = 0;
    // A row to stand out, such as a file that cannot be renamed.
    virtual bool marked(int row) const = 0;
    // The whole table as text, a line per row, for copying.
    virtual QString text() const = 0;
};

// One modal message box. Line breaks in the text are a lone "\r".
struct Message
{
    QString text;
    QString title;
    Buttons buttons = Buttons::Ok;
    MessageIcon icon = MessageIcon::None;
    // A short line below the text, such as the counts of a plan. Empty: none.
    QString informative = {};
    // Shown on request below the text; lines end with "\n". Empty: none.
    QString details = {};
    // Shown on request in place of the details.
    std::shared_ptr<const DetailTable> table = {};
    // A check box below the text, unticked when the box opens.
    struct CheckBox
    {
        QString text;
        // Where the box leaves whether the user ticked it.
        std::shared_ptr<bool> ticked = std::make_shared<bool>(false);
        bool operator==(const CheckBox &) const = default;
    };
    std::optional<CheckBox> checkBox = {};
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
