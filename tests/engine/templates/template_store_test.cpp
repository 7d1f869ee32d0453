#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

#include "engine/templates/template_naming.h"
#include "engine/templates/template_store.h"
#include "template_fixture.h"

namespace zintra {
namespace {

using test::TemplateFixture;

std::string lesson(const std::string& sample) {
    return "<?xml version='1.0'?>\n<root><Template><template sub='0'><name>m</name><sample>" + sample +
           "</sample><node><name>n</name><Phrase>//NP</Phrase></node></template></Template></root>";
}

const std::string kBase =
    "<?xml version='1.0'?>\n<root><Template><template sub='1'><name>NP</name><node><name>x</name>"
    "<Group><name>the boy</name></Group></node></template></Template></root>";

class TemplateStoreTest : public TemplateFixture {
  protected:
    TemplateStore& store() { return engine.templateStore(); }
    TemplateStore::FilePtr get(const std::string& name) {
        std::string path = store().fullPath(name);
        return store().get(path, store().baseFile(path, analyzer()), analyzer());
    }
};

TEST(TemplateNaming, NamesBecomeFullPaths) {
    EXPECT_EQ(fullTemplatePath("tmpl/", "lesson1"), "tmpl/lesson1.xvt");
    EXPECT_EQ(fullTemplatePath("tmpl/", "C:lesson1"), "C:lesson1.xvt") << "a drive colon takes no folder";
    EXPECT_EQ(fullTemplatePath("tmpl/", "notes.txt"), "tmpl/notes.txt");
    EXPECT_EQ(fullTemplatePath("tmpl/", "sub/lesson.v2"), "tmpl/sub/lesson.v2");
    EXPECT_EQ(fullTemplatePath("tmpl/", "/abs/lesson"), "/abs/lesson.xvt");
    EXPECT_EQ(fullTemplatePath("tmpl/", ""), "");
    EXPECT_EQ(fullTemplatePath("tmpl/", "Untitled"), "Untitled");
    EXPECT_EQ(normaliseTemplatesFolder("C:\\tmpl\\"), "C:\\tmpl\\");
    EXPECT_EQ(normaliseTemplatesFolder("tmpl"), "tmpl/");
    EXPECT_EQ(normaliseTemplatesFolder(""), "");
    EXPECT_EQ(folderOf("a\\b/c.xvt"), "a\\b/");
    EXPECT_EQ(folderOf("c.xvt"), "");
}

TEST_F(TemplateStoreTest, FilesAreReadOnceAndKeptWhileTheCacheIsKept) {
    put("lesson1.xvt", lesson("one"));
    std::string path = store().fullPath("lesson1");
    auto first = store().get(path, nullptr, analyzer());
    ASSERT_NE(first, nullptr);
    uint64_t reads = store().readCount();
    auto second = store().get(path, nullptr, analyzer());
    EXPECT_EQ(second, first);
    EXPECT_EQ(store().readCount(), reads);
    EXPECT_EQ(first->path, dir.file("templates/lesson1.xvt"));
    store().drop(false);
    EXPECT_EQ(get("lesson1"), first) << "CACHE 1: a drop that is not forced keeps the files";
    store().drop(true);
    EXPECT_NE(get("lesson1"), first);
}

TEST_F(TemplateStoreTest, MissingFilesAreLookedForOnEveryRequest) {
    uint64_t reads = store().readCount();
    EXPECT_EQ(get("later"), nullptr);
    EXPECT_EQ(get("later"), nullptr);
    EXPECT_EQ(store().readCount(), reads + 4) << "each get tries the file and its base file again";
    put("later.xvt", lesson("now"));
    ASSERT_NE(get("later"), nullptr);
    EXPECT_EQ(get("later")->mainTemplates.at(0)->sample, "now");
}

TEST_F(TemplateStoreTest, ASpellingMetBeforeFindsItsFileAndGoesWithIt) {
    put("lesson1.xvt", lesson("one"));
    std::string plain = store().fullPath("lesson1");
    std::string other = dir.file("templates/./lesson1.xvt");
    auto file = store().get(plain, nullptr, analyzer());
    ASSERT_NE(file, nullptr);
    uint64_t reads = store().readCount();
    EXPECT_EQ(store().get(other, nullptr, analyzer()), file);
    EXPECT_EQ(store().get(other, nullptr, analyzer()), file);
    EXPECT_EQ(store().get(plain, nullptr, analyzer()), file);
    EXPECT_EQ(store().readCount(), reads);
    EXPECT_EQ(store().cachedCount(), 1u) << "spellings are not files";
    // A drop forgets the spellings with the files: the file is read anew.
    store().drop(true);
    put("lesson1.xvt", lesson("two"));
    auto reread = store().get(other, nullptr, analyzer());
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(reread->mainTemplates.at(0)->sample, "two");
    EXPECT_EQ(store().get(plain, nullptr, analyzer()), reread);
}

TEST_F(TemplateStoreTest, ARelativeSpellingIsTakenInTheCurrentFolder) {
    // The same relative name in two folders names two files.
    dir.write("a/templates/x.xvt", lesson("in a"));
    dir.write("b/templates/x.xvt", lesson("in b"));
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.file("a"));
    auto a = store().get("templates/x.xvt", nullptr, analyzer());
    std::filesystem::current_path(dir.file("b"));
    auto b = store().get("templates/x.xvt", nullptr, analyzer());
    std::filesystem::current_path(dir.file("a"));
    auto aAgain = store().get("templates/x.xvt", nullptr, analyzer());
    std::filesystem::current_path(before);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->mainTemplates.at(0)->sample, "in a");
    EXPECT_EQ(b->mainTemplates.at(0)->sample, "in b");
    EXPECT_EQ(aAgain, a);
}

TEST_F(TemplateStoreTest, EvictedFilesTakeTheirSpellingsAlong) {
    // Each file is met under two spellings; once the cache is full, an
    // evicted file must be freed, not kept alive by its spellings.
    std::vector<std::weak_ptr<const TemplateFile>> loaded;
    for (size_t i = 0; i < TemplateStore::kMaxCachedFiles + 40; ++i) {
        std::string name = test::numbered("f", static_cast<int>(i), ".xvt");
        put(name, lesson("x"));
        auto file = store().get(store().fullPath(name), nullptr, analyzer());
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(store().get(dir.file("templates/./" + name), nullptr, analyzer()), file);
        loaded.push_back(file);
    }
    size_t alive = 0;
    for (const auto& weak : loaded) alive += !weak.expired();
    EXPECT_EQ(alive, TemplateStore::kMaxCachedFiles);
    // A spelling of an evicted file reads it again.
    for (size_t i = 0; i < loaded.size(); ++i) {
        if (!loaded[i].expired()) continue;
        std::string name = test::numbered("f", static_cast<int>(i), ".xvt");
        uint64_t reads = store().readCount();
        EXPECT_NE(store().get(dir.file("templates/./" + name), nullptr, analyzer()), nullptr);
        EXPECT_EQ(store().readCount(), reads + 1);
        break;
    }
}

TEST_F(TemplateStoreTest, CompanionFilesComeFromTheTemplatesFolder) {
    put("Global.xvt", "<root><category><comment ID='3'><econtent>g</econtent></comment></category></root>");
    put("Gtemplate.xvt", kBase);
    put("lesson1.xvt", lesson("one"));
    std::string path = store().fullPath("lesson1");
    EXPECT_EQ(store().templatesFolder(), dir.file("templates") + "/");
    auto global = store().globalFile(path, analyzer());
    ASSERT_NE(global, nullptr);
    EXPECT_EQ(global->path, dir.file("templates/Global.xvt"));
    auto base = store().baseFile(path, analyzer());
    ASSERT_NE(base, nullptr);
    auto file = store().get(path, base, analyzer());
    const Filler& filler = file->mainTemplates.at(0)->nodes.at(0)->fillers.at(0);
    EXPECT_EQ(filler.phrase, base->subTemplates.at(0).get());
    EXPECT_EQ(store().globalFile("elsewhere/x.xvt", analyzer()), nullptr);
}

TEST_F(TemplateStoreTest, PendingDropIsCarriedOutOnce) {
    put("lesson1.xvt", lesson("one"));
    ASSERT_NE(get("lesson1"), nullptr);
    EXPECT_FALSE(store().carryOutPendingDrop());
    EXPECT_GT(store().cachedCount(), 0u);
    store().setPendingDrop();
    EXPECT_TRUE(store().dropPending());
    EXPECT_TRUE(store().carryOutPendingDrop());
    EXPECT_EQ(store().cachedCount(), 0u);
    EXPECT_FALSE(store().dropPending());
    EXPECT_FALSE(store().carryOutPendingDrop());
}

TEST_F(TemplateStoreTest, AFileInUseSurvivesADropOnAnotherThread) {
    put("Gtemplate.xvt", kBase);
    put("lesson1.xvt", lesson("kept"));
    auto held = get("lesson1");
    ASSERT_NE(held, nullptr);
    std::thread dropper([&] { store().drop(true); });
    dropper.join();
    EXPECT_EQ(store().cachedCount(), 0u);
    // The request still reads the file and, through its Phrase, the base file,
    // both released from the store meanwhile.
    EXPECT_EQ(held->mainTemplates.at(0)->sample, "kept");
    const Template* np = held->mainTemplates[0]->nodes.at(0)->fillers.at(0).phrase;
    ASSERT_NE(np, nullptr);
    EXPECT_EQ(np->nodes.at(0)->fillers.at(0).text, "the boy");
}

TEST_F(TemplateStoreTest, ConcurrentRequestsAndDropsShareFilesSafely) {
    put("Gtemplate.xvt", kBase);
    for (int i = 0; i < 4; ++i) put(test::numbered("l", i, ".xvt"), lesson(test::numbered("s", i)));
    std::atomic<bool> stop{false};
    std::atomic<int> failures{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 4; ++t) {
        readers.emplace_back([&, t] {
            for (int round = 0; round < 200; ++round) {
                int i = (t + round) % 4;
                auto file = get(test::numbered("l", i));
                if (!file || file->mainTemplates.at(0)->sample != test::numbered("s", i) ||
                    file->mainTemplates[0]->nodes.at(0)->fillers.at(0).phrase->nodes.at(0)->fillers.at(0).text !=
                        "the boy") {
                    ++failures;
                }
            }
        });
    }
    std::thread dropper([&] {
        while (!stop) {
            store().drop(true);
            std::this_thread::yield();
        }
    });
    for (auto& r : readers) r.join();
    stop = true;
    dropper.join();
    EXPECT_EQ(failures.load(), 0);
}

TEST_F(TemplateStoreTest, SimultaneousFirstRequestsLoadAFileOnce) {
    put("lesson1.xvt", lesson("one"));
    std::string path = store().fullPath("lesson1");
    uint64_t reads = store().readCount();
    std::vector<TemplateStore::FilePtr> got(8);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < got.size(); ++t) {
        threads.emplace_back([&, t] { got[t] = store().get(path, nullptr, analyzer()); });
    }
    for (auto& t : threads) t.join();
    EXPECT_EQ(store().readCount(), reads + 1);
    for (const auto& f : got) EXPECT_EQ(f, got[0]);
}

class NoCacheStore : public TemplateFixture {
    std::string extraConfig() const override { return "CACHE 0\n"; }
};

TEST_F(NoCacheStore, DropsThatAreNotForcedEmptyTheCache) {
    put("lesson1.xvt", lesson("one"));
    TemplateStore& store = engine.templateStore();
    EXPECT_FALSE(store.keepsCache());
    ASSERT_NE(store.get(store.fullPath("lesson1"), nullptr, analyzer()), nullptr);
    store.drop(false);
    EXPECT_EQ(store.cachedCount(), 0u);
}

}  // namespace
}  // namespace zintra
