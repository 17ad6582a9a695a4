// seal and unseal: a sealed account's passphrase comes like a password (--password,
// --password-file, TALLIVAN_PASSWORD); the new one of `seal` from --new-password-file.
#include <cstdlib>
#include <string_view>

#include "arguments.h"
#include "commands.h"
#include "forms/field_ids.h"
#include "node_selection.h"
#include "storage/account_sealing.h"

namespace tallivan::cli {

int runSeal(CommandContext& ctx) {
    const Arguments args(ctx.words, {"new-password-file"});
    args.expectPositional(1, "seal ACCOUNT --new-password-file FILE");
    std::string passphrase = readPasswordFile(args.required("new-password-file"));
    // The test suites seal with the cheapest key derivation, so that they stay quick.
    if (const char* limits = std::getenv("TALLIVAN_SEAL_LIMITS");
        limits && std::string_view(limits) == "minimal")
        currentSealLimits() = minimalSealLimits();
    selectNodeByPath(ctx.controller, args.positional()[0]);
    requireCommand(ctx.controller, CommandId::SealAccount);
    ctx.ui.expectDialog(DialogScript()
                            .typeAll({{field_id::kPassphrase, passphrase},
                                      {field_id::kPassphraseAgain, passphrase}})
                            .press(field_id::kOk));
    wipeText(passphrase);
    ctx.controller.sealAccount();
    return 0;
}

int runUnseal(CommandContext& ctx) {
    const Arguments args(ctx.words, {});
    args.expectPositional(1, "unseal ACCOUNT");
    selectNodeByPath(ctx.controller, args.positional()[0]);
    requireCommand(ctx.controller, CommandId::UnsealAccount);
    ctx.controller.unsealAccount();
    return 0;
}

}  // namespace tallivan::cli
