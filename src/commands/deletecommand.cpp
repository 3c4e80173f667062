#include "commands/deletecommand.h"

#include "commands/messages.h"
#include "platform/paths.h"

namespace namlex {

void runDeleteCommand(const CommandContext &context)
{
    // The name is read before asking; the file named in the question is the
    // one deleted, whatever happens to the list meanwhile.
    const QString name = context.list.selectedName();
    if (context.prompter.ask(messages::deleteQuestion(name)) != Answer::Yes)
        return;
    // With nothing selected the joined path would name the folder itself.
    if (name.isEmpty()
        || !context.deleter.deleteFile(platform::joinPath(context.folder.folderPath(), name))) {
        context.prompter.ask(messages::deleteFailed());
        return;
    }
    context.list.setSelectedIndex(context.list.selectedIndex() - 1);
}

} // namespace namlex
