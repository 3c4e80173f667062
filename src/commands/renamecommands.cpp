#include "commands/renamecommands.h"

#include "commands/batchrun.h"
#include "transforms/numbering.h"
#include "transforms/underscores.h"

using namespace Qt::StringLiterals;

namespace namlex {

namespace {

Message question(const QString &text, const QString &title)
{
    return {text, title, Buttons::YesNo, MessageIcon::Question};
}

const QString allFilesTitle = u"'Alle Dateien' ausgewählt"_s;
const QString allFilesQuestion
    = u"Sollen alle Dateien, auch ohne .mp3- und .wma-Endung, umbenannt werden?"_s;

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
    runBatch(context,
             {question(u"Soll bei allen Dateien, auch ohne .mp3- und .wma-Endung,\rdie "
                       u"Nummerierung gelöscht und Unterstriche durch Leerzeichen ersetzt werden?"_s,
                       allFilesTitle),
              question(u"Wirklich umbenennen?"_s, u"Bestätigung!"_s), bothNewName,
              messages::bothSummary});
}

void runNumbersCommand(const CommandContext &context)
{
    runBatch(context, {question(allFilesQuestion, allFilesTitle),
                       question(u"Wirklich umbenennen?"_s, u"Bestätigung"_s), numbersNewName,
                       messages::singleSummary});
}

void runUnderscoresCommand(const CommandContext &context)
{
    runBatch(context, {question(allFilesQuestion, allFilesTitle),
                       question(u"Wirklich die Unterstriche durch Leerzeichen ersetzen?"_s,
                                u"Bestätigung"_s),
                       underscoresNewName, messages::singleSummary});
}

} // namespace namlex
