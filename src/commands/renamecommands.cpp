#include "commands/renamecommands.h"

#include "commands/batchrun.h"
#include "transforms/numbering.h"
#include "transforms/underscores.h"

namespace namlex {

namespace {

// A failed numbering removal keeps the name; the run reports it and goes
// on with the next file.
NewName withoutNumbering(const QString &name, bool onlyWithLeadingZero)
{
    const std::optional<QString> result = removeNumbering(name, onlyWithLeadingZero);
    return result ? NewName {*result, *result != name} : NewName {name, false, false, true};
}

std::optional<NewName> bothNewName(const QString &oldName, bool onlyWithLeadingZero)
{
    NewName next = withoutNumbering(oldName, onlyWithLeadingZero);
    const QString intermediate = next.name;
    const std::optional<QString> final = replaceUnderscores(intermediate);
    if (!final)
        return std::nullopt;
    next.name = *final;
    next.underscoresReplaced = *final != intermediate;
    return next;
}

std::optional<NewName> numbersNewName(const QString &oldName, bool onlyWithLeadingZero)
{
    return withoutNumbering(oldName, onlyWithLeadingZero);
}

std::optional<NewName> underscoresNewName(const QString &oldName, bool)
{
    const std::optional<QString> result = replaceUnderscores(oldName);
    if (!result)
        return std::nullopt;
    return NewName {*result, false, *result != oldName};
}

} // namespace

void runBothCommand(const CommandContext &context)
{
    runBatch(context, {messages::bothQuestionAllFiles(), messages::bothQuestion(), bothNewName,
                       messages::bothSummary});
}

void runNumbersCommand(const CommandContext &context)
{
    runBatch(context, {messages::singleQuestionAllFiles(), messages::numbersQuestion(),
                       numbersNewName, messages::singleSummary});
}

void runUnderscoresCommand(const CommandContext &context)
{
    runBatch(context, {messages::singleQuestionAllFiles(), messages::underscoresQuestion(),
                       underscoresNewName, messages::singleSummary});
}

} // namespace namlex
