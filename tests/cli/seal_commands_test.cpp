// seal and unseal end to end: a sealed account opens with its passphrase exactly as before,
// refuses a wrong one and a changed byte with nothing written, and unseals to the plain file.
#include <gtest/gtest.h>

#include "core/ledger_fixture.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

using testing::CliResult;
using testing::DataDir;

constexpr const char* kAccount = "zrdata/zr_00001.acc";

class SealCli : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::writeSampleNames(data);
        data.account("zrdata", 1, "one", testing::sampleLedger());
        outside.write("pass", "the right passphrase\n");
        outside.write("other", "another passphrase\n");
    }
    CliResult run(std::vector<std::string> args, std::vector<std::string> environment = {}) {
        args.insert(args.begin(), {"--data", data.path(), "--today", "2026-12-10"});
        environment.push_back("TALLIVAN_SEAL_LIMITS=minimal");
        return testing::runCli(TALLIVAN_CLI_PATH, args, data.path(), environment);
    }
    DataDir data;
    testing::TempDir outside;
};

TEST_F(SealCli, ASealedAccountShowsWhatItShowedOnlyWithItsPassphrase) {
    const std::string plainFile = data.dir().read(kAccount);
    const CliResult plain = run({"show", kAccount});
    ASSERT_EQ(plain.status, 0) << plain.err;

    CliResult r = run({"seal", kAccount, "--new-password-file", outside.file("pass")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "提示: 帐户已加密。忘记口令将无法找回帐户!\n");
    const std::string sealed = data.dir().read(kAccount);
    for (const char* clear : {"600001", "one"})
        EXPECT_EQ(sealed.find(clear), std::string::npos) << clear;
    EXPECT_EQ(run({"tree"}).out, "group\tzrdata\t帐户组\naccount\tzrdata/zr_00001.acc\t加密帐户\n");

    // Without the passphrase nothing opens; with it, everything as before.
    EXPECT_EQ(run({"show", kAccount}).status, 1);
    r = run({"--password-file", outside.file("other"), "show", kAccount});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("错误: 口令错误!"), std::string::npos) << r.err;
    EXPECT_EQ(run({"--password-file", outside.file("pass"), "show", kAccount}).out, plain.out);
    EXPECT_EQ(run({"show", kAccount}, {"TALLIVAN_PASSWORD=the right passphrase"}).out, plain.out);
    EXPECT_EQ(data.dir().read(kAccount), sealed);

    // A changed byte is reported, and the file stays as it is.
    std::string damaged = sealed;
    damaged[damaged.size() - 30] ^= 0x01;
    data.dir().write(kAccount, damaged);
    r = run({"--password-file", outside.file("pass"), "show", kAccount});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("错误: 帐户文件已损坏或被篡改"), std::string::npos) << r.err;
    r = run({"--password-file", outside.file("pass"), "buy", kAccount, "--code", "600001",
             "--shares", "100", "--price", "10"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(data.dir().read(kAccount), damaged);
    data.dir().write(kAccount, sealed);

    // A new passphrase rewrites the file; the old one no longer opens it.
    r = run({"--password-file", outside.file("pass"), "seal", kAccount, "--new-password-file",
             outside.file("other")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "提示: 口令已更换。\n");
    EXPECT_EQ(run({"--password-file", outside.file("pass"), "show", kAccount}).status, 1);
    EXPECT_EQ(run({"--password-file", outside.file("other"), "show", kAccount}).out, plain.out);

    // Unsealed, it is the plain file it was, opened without a password.
    r = run({"--password-file", outside.file("other"), "unseal", kAccount});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(data.dir().read(kAccount), plainFile);
    EXPECT_EQ(run({"show", kAccount}).out, plain.out);
    r = run({"unseal", kAccount});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "错误: 帐户没有加密!\n");
}

TEST_F(SealCli, RefusesAnEmptyPassphraseAndAMissingFile) {
    outside.write("empty", "\n");
    CliResult r = run({"seal", kAccount, "--new-password-file", outside.file("empty")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "错误: 口令不能为空!\n");
    r = run({"seal", kAccount, "--new-password-file", outside.file("missing")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(run({"seal", kAccount}).status, 2);
    EXPECT_FALSE(data.dir().read(kAccount).starts_with("TLVSEAL"));
}

}  // namespace
}  // namespace tallivan
