#include "commands/deletecommand.h"

#include "texts/messages.h"

namespace namlex {

void runDeleteCommand(const CommandContext &context)
{
    // The name and the file behind it are taken before asking: the file
    // named in the question is the one deleted, or none, whatever happens to
    // the list or the folder meanwhile.
    const QString name = context.list.selectedName();
    const std::unique_ptr<Folder> folder = context.files.openFolder(context.folder.folderPath());
    const std::optional<platform::FileIdentity> identity
        = name.isEmpty() ? std::nullopt : folder->identityOf(name);
    if (context.prompter.ask(messages::deleteQuestion(name)) != Answer::Yes)
        return;
    // With nothing selected there is nothing to delete.
    const platform::Problem problem = identity ? folder->deleteFile(name, *identity)
                                               : platform::Problem {platform::Cause::FileGone};
    if (!problem.ok()) {
        context.prompter.ask(messages::deleteFailed(problem));
        return;
    }
    context.list.setSelectedIndex(context.list.selectedIndex() - 1);
}

} // namespace namlex
