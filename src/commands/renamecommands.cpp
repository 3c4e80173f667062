#include "commands/renamecommands.h"

#include "commands/batchrun.h"
#include "transforms/numbering.h"
#include "transforms/underscores.h"

namespace namlex {

namespace {

// A failed numbering removal is reported here and keeps the name, so the
// run goes on with the next file.
QString withoutNumbering(const CommandContext &context, const QString &name)
{
    const std::optional<QString> result
        = removeNumbering(name, context.choices.onlyWithLeadingZero());
    if (result)
        return *result;
    context.prompter.ask(messages::numberingFailed(name));
    return name;
}

std::optional<NewName> bothNewName(const CommandContext &context, const QString &oldName)
{
    const QString intermediate = withoutNumbering(context, oldName);
    const std::optional<QString> final = replaceUnderscores(intermediate);
    if (!final)
        return std::nullopt;
    return NewName {*final, intermediate != oldName, *final != intermediate};
}

std::optional<NewName> numbersNewName(const CommandContext &context, const QString &oldName)
{
    const QString name = withoutNumbering(context, oldName);
    return NewName {name, name != oldName, false};
}

std::optional<NewName> underscoresNewName(const CommandContext &, const QString &oldName)
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
