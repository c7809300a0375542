// The store on the real disk: the same file layouts, and saves that replace
// the configuration only once the new text is complete.

#include "StoreFixture.h"
#include "support/TempFolder.h"

class StoreFilesTest : public ::testing::Test {
protected:
    std::unique_ptr<CProfileStore> NewStore()
    {
        return std::make_unique<CProfileStore>(
            StoreEnvironment{folder.Native("lanvoy.exe"), files, registry, startupTask, clock});
    }

    TempFolder folder;
    CLocalFileSystem files;
    CMemoryRegistry registry;
    CMemoryStartupTask startupTask;
    CFixedClock clock{LocalTime{2008, 5, 1, 14, 5, 9}};
};

TEST_F(StoreFilesTest, ConfigurationLivesBesideTheExecutable)
{
    auto store = NewStore();
    EXPECT_EQ(folder.Native("lanvoy.cfg"), store->ConfigPath());
    EXPECT_EQ(0, store->Load());
    EXPECT_EQ(FirstSavedFile(), TempFolder::Read(folder / "lanvoy.cfg"));

    AdapterRecord lan = ManualEntry(u"本地连接", u"{A}", u"192.0.2.10");
    ASSERT_EQ(1, store->AddProfile(u"办公室", {&lan}));
    ASSERT_EQ(1, store->Save());
    auto again = NewStore();
    ASSERT_EQ(1, again->Load());
    ASSERT_EQ(1u, again->Profiles().size());
    EXPECT_EQ(u"办公室", again->Profiles()[0]->name);
    // Only the configuration is left in the folder.
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(folder.path), {}));
}

TEST_F(StoreFilesTest, AFailedSaveLeavesTheOldFileIntact)
{
    auto store = NewStore();
    store->Load();
    store->AddProfile(u"first", {});
    ASSERT_EQ(1, store->Save());
    const std::string saved = TempFolder::Read(folder / "lanvoy.cfg");

    // The temporary file cannot be created: a folder stands in its way.
    std::filesystem::create_directory(folder / "lanvoy.cfg.tmp");
    store->AddProfile(u"second", {});
    EXPECT_EQ(0, store->Save());
    EXPECT_EQ(saved, TempFolder::Read(folder / "lanvoy.cfg"));

    std::filesystem::remove(folder / "lanvoy.cfg.tmp");
    ASSERT_EQ(1, store->Save());
    auto again = NewStore();
    ASSERT_EQ(1, again->Load());
    EXPECT_EQ(2u, again->Profiles().size());
}
