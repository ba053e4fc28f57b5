#include "framework/document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/framework/fakes.h"

namespace {

TEST(DocumentTest, UpdateAllViewsReachesEveryViewButTheSender)
{
    FakeDocument document;
    RecordingView first;
    RecordingView second;
    RecordingView third;
    document.AddView(&first);
    document.AddView(&second);
    document.AddView(&third);

    document.UpdateAllViews(&second, UpdateHint::TrainingPass);
    EXPECT_EQ(first.hints, std::vector<UpdateHint>{UpdateHint::TrainingPass});
    EXPECT_TRUE(second.hints.empty());
    EXPECT_EQ(third.hints, std::vector<UpdateHint>{UpdateHint::TrainingPass});
    EXPECT_EQ(first.senders, std::vector<CView*>{&second});

    document.UpdateAllViews(nullptr, UpdateHint::All);
    for (const RecordingView* view : {&first, &second, &third})
        EXPECT_EQ(view->hints.back(), UpdateHint::All);
}

TEST(DocumentTest, ARemovedViewIsNoLongerUpdated)
{
    FakeDocument document;
    RecordingView kept;
    RecordingView removed;
    document.AddView(&kept);
    document.AddView(&removed);
    document.RemoveView(&removed);

    document.UpdateAllViews(nullptr, UpdateHint::All);
    document.SendInitialUpdate();
    EXPECT_EQ(kept.hints.size(), 2u);
    EXPECT_EQ(kept.initialUpdates, 1);
    EXPECT_TRUE(removed.hints.empty());
    EXPECT_EQ(removed.initialUpdates, 0);
}

TEST(DocumentTest, TheInitialUpdateIsAFullRefresh)
{
    FakeDocument document;
    RecordingView view;
    document.AddView(&view);
    document.SendInitialUpdate();
    EXPECT_EQ(view.initialUpdates, 1);
    EXPECT_EQ(view.hints, std::vector<UpdateHint>{UpdateHint::All});
}

TEST(DocumentTest, TheTitleIsTheFileNameOrUntitled)
{
    struct Case {
        std::string path;
        std::string title;
    };
    for (const Case& c : {Case{"", "Untitled"}, Case{"net.cvn", "net.cvn"},
                          Case{"/home/user/networks/net.cvn", "net.cvn"}, Case{"dir/no-extension", "no-extension"}}) {
        FakeDocument document;
        document.SetPathName(c.path);
        EXPECT_EQ(document.GetTitle(), c.title) << c.path;
    }
}

TEST(DocumentTest, NewClearsThePathAndTheModifiedFlag)
{
    FakeDocument document;
    document.SetPathName("/tmp/net.cvn");
    document.SetModifiedFlag();
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(document.OnNewDocument());
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.GetPathName(), "");
    EXPECT_EQ(document.GetTitle(), "Untitled");
}

}  // namespace
