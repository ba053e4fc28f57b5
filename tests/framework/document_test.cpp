#include "framework/document.h"

#include <gtest/gtest.h>

#include "tests/framework/fakes.h"

namespace {

using Updates = std::vector<std::pair<CView*, UpdateHint>>;

TEST(DocumentTest, UpdatesReachEveryViewButTheSenderAndRemovedOnes)
{
    FakeDocument document;
    RecordingView first, sender, removed;
    for (RecordingView* view : {&first, &sender, &removed})
        document.AddView(view);
    document.RemoveView(&removed);

    document.UpdateAllViews(&sender, UpdateHint::TrainingPass);
    document.SendInitialUpdate();
    EXPECT_EQ(first.updates, (Updates{{&sender, UpdateHint::TrainingPass}, {nullptr, UpdateHint::All}}));
    EXPECT_EQ(sender.updates, (Updates{{nullptr, UpdateHint::All}}));
    EXPECT_TRUE(removed.updates.empty());
}

TEST(DocumentTest, TheTitleIsTheFileNameOrUntitled)
{
    for (const auto& [path, title] : std::vector<std::pair<std::string, std::string>>{
             {"", "Untitled"}, {"net.cvn", "net.cvn"}, {"/home/user/nets/no-extension", "no-extension"}}) {
        FakeDocument document;
        document.SetPathName(path);
        EXPECT_EQ(document.GetTitle(), title) << path;
    }
}

}  // namespace
