#pragma once

#include "texts/prompter.h"

#include <QList>

#include <functional>

namespace namlex::test {

// Answers message boxes from a script and records every box it was asked
// to show. A box beyond the script is answered with its default button.
class ScriptedPrompter : public Prompter
{
public:
    QList<Answer> answers;
    QList<Message> shown;
    std::function<void(const Message &)> onAsk;

    Answer ask(const Message &message) override
    {
        shown.append(message);
        if (onAsk)
            onAsk(message);
        return answers.isEmpty() ? message.defaultButton() : answers.takeFirst();
    }

    // The boxes shown, without what is added below their text.
    QList<Message> boxes() const
    {
        QList<Message> result = shown;
        for (Message &message : result) {
            message.informative.clear();
            message.details.clear();
            message.table.reset();
        }
        return result;
    }

    QStringList titles() const
    {
        QStringList result;
        for (const Message &message : shown)
            result.append(message.title);
        return result;
    }
};

} // namespace namlex::test
