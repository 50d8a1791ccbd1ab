#include "grading/grade_entry_state.h"

#include <gtest/gtest.h>

namespace vellanor {
namespace {

TEST(GradeEntryStateTest, TasksStartOnlyFromNormalAndEndAsTheirModeSays) {
  struct Case {
    GradeMode task;
    TaskEnd validate;
    TaskEnd quit;
  };
  for (const Case& c : {Case{GradeMode::Adding, TaskEnd::Save, TaskEnd::Discard},
                        Case{GradeMode::Modifying, TaskEnd::Save, TaskEnd::Discard},
                        Case{GradeMode::Deleting, TaskEnd::Save, TaskEnd::Discard},
                        Case{GradeMode::Comparing, TaskEnd::Ignored, TaskEnd::Leave}}) {
    GradeEntryState state;
    ASSERT_TRUE(state.Begin(c.task));
    EXPECT_EQ(state.Mode(), c.task);
    // Another task cannot start over this one; a comparison refreshes.
    for (GradeMode other : {GradeMode::Adding, GradeMode::Deleting, GradeMode::Modifying}) {
      EXPECT_FALSE(state.Begin(other));
    }
    EXPECT_EQ(state.Begin(GradeMode::Comparing), c.task == GradeMode::Comparing);
    EXPECT_EQ(state.EditsCells(), c.task == GradeMode::Adding || c.task == GradeMode::Modifying);
    EXPECT_EQ(state.Validate(), c.validate);
    EXPECT_EQ(state.Mode(), c.task);  // validating ends the task only once done
    EXPECT_EQ(state.Quit(), c.quit);
    EXPECT_EQ(state.Mode(), GradeMode::Normal);
  }
}

TEST(GradeEntryStateTest, NormalClosesAndDeletionsAskForACopy) {
  GradeEntryState state;
  EXPECT_FALSE(state.Begin(GradeMode::Normal));
  EXPECT_EQ(state.Validate(), TaskEnd::Ignored);
  EXPECT_EQ(state.Quit(), TaskEnd::Close);

  state.NoteColumnDeleted();  // not deleting: nothing pending
  EXPECT_FALSE(state.ColumnsDeleted());
  ASSERT_TRUE(state.Begin(GradeMode::Deleting));
  state.NoteColumnDeleted();
  EXPECT_EQ(state.Validate(), TaskEnd::SaveDeleted);
  // A refused copy keeps the deletions pending; cancelling discards them.
  EXPECT_EQ(state.Validate(), TaskEnd::SaveDeleted);
  EXPECT_EQ(state.Quit(), TaskEnd::Discard);
  ASSERT_TRUE(state.Begin(GradeMode::Deleting));
  EXPECT_EQ(state.Validate(), TaskEnd::Save);
  state.NoteColumnDeleted();
  state.Finish();
  EXPECT_FALSE(state.ColumnsDeleted());
  EXPECT_EQ(state.Mode(), GradeMode::Normal);
}

}  // namespace
}  // namespace vellanor
