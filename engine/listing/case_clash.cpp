#include "engine/listing/case_clash.h"

#include <string>

#include "engine/copy/destination_layout.h"
#include "engine/job/run_context.h"
#include "engine/job/step_log.h"
#include "engine/listing/folded_names.h"
#include "engine/listing/selection_rules.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace tv {

namespace {

bool IsCaseClash(const CopyJob& job, RunContext& context, const std::string& earlier,
                 const std::string& destination) {
    // A copy of the earlier entry made in this run answers for its name only once in place.
    context.pendingCopies().FlushIfPending(
        StoredPlainDestination(job, context.drives(), context.nameRefusals(), earlier));
    // The folder answers to the file's name, yet lists no entry of that name: the name leads to
    // the entry it folds together with.
    const std::string name = AfterLastSeparator(destination);
    OpenFolder folder;
    FileIdentity found;
    return folder.OpenBelow(job.Destination, ContainingFolder(destination)) &&
           folder.EntryIdentity(name, &found) && NamesListedIn(folder).count(name) == 0;
}

}  // namespace

bool PassesOverCaseClash(const CopyJob& job, RunContext& context, const ListedFile& listed) {
    const std::string* earlier = context.EarlierFoldingWith(listed);
    // A file the rules refuse is not copied anyway, whatever the destination holds.
    if (earlier == nullptr || !IsSelectedSource(job, listed.path, listed.Status())) return false;
    const std::string stored =
        StoredPlainDestination(job, context.drives(), context.nameRefusals(), listed.path);
    if (!IsCaseClash(job, context, *earlier, stored)) return false;
    const std::string destination = PlainDestination(job, context.drives(), listed.path);
    context.NoteError();
    ++context.outcome().Unstorable.caseClashes;
    LogStep(context, kLogActionFileCreated, listed.path, destination, kLogResultError);
    context.PauseAfterFile();
    return true;
}

}  // namespace tv
