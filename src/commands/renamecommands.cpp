#include "commands/renamecommands.h"

#include "commands/batchrun.h"
#include "transforms/numbering.h"
#include "transforms/underscores.h"

using namespace Qt::StringLiterals;

namespace namlex {

namespace {

// A failed numbering removal keeps the name; the run reports it and goes
// on with the next file.
NewName withoutNumbering(const QString &name, bool onlyWithLeadingZero)
{
    const std::optional<QString> result = removeNumbering(name, onlyWithLeadingZero);
    return result ? NewName {*result, *result != name} : NewName {name, false, false, true};
}

NewName withBlanks(NewName next)
{
    const QString intermediate = next.name;
    const std::optional<QString> final = replaceUnderscores(intermediate);
    next.tooLongToEdit = !final;
    next.name = final.value_or(QString());
    next.underscoresReplaced = final && *final != intermediate;
    return next;
}

NewName bothNewName(const QString &oldName, bool onlyWithLeadingZero)
{
    return withBlanks(withoutNumbering(oldName, onlyWithLeadingZero));
}

NewName underscoresNewName(const QString &oldName, bool)
{
    return withBlanks(NewName {oldName});
}

} // namespace

void runBothCommand(const CommandContext &context)
{
    runBatch(context, {u"both"_s, messages::bothQuestionAllFiles(), messages::bothQuestion(),
                       bothNewName, messages::bothSummary});
}

void runNumbersCommand(const CommandContext &context)
{
    runBatch(context, {u"numbers"_s, messages::singleQuestionAllFiles(),
                       messages::numbersQuestion(), withoutNumbering, messages::singleSummary});
}

void runUnderscoresCommand(const CommandContext &context)
{
    runBatch(context,
             {u"underscores"_s, messages::singleQuestionAllFiles(), messages::underscoresQuestion(),
              underscoresNewName, messages::singleSummary});
}

} // namespace namlex
