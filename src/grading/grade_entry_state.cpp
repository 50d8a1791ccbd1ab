#include "grading/grade_entry_state.h"

#include "resources/ids.h"

namespace vellanor {

const ModeLook& LookOf(GradeMode mode) {
  static const ModeLook kNormal{.classList = true,
                                .studentList = true,
                                .viewRadios = true,
                                .categoryRadios = false,
                                .fields = false,
                                .validate = false,
                                .modeCommands = true,
                                .quitIcon = res::kIconQuit,
                                .quitCaption = "Quitter",
                                .quitTooltip = "Retourne vers l'application",
                                .validateTooltip = nullptr};
  static const ModeLook kAdding{.classList = false,
                                .studentList = false,
                                .viewRadios = false,
                                .categoryRadios = true,
                                .fields = true,
                                .validate = true,
                                .modeCommands = false,
                                .quitIcon = res::kIconCancel,
                                .quitCaption = "Annuler",
                                .quitTooltip = "Annule l'ajout de la nouvelle note",
                                .validateTooltip = "Valide l'ajout de la nouvelle note"};
  static const ModeLook kDeleting{.classList = true,
                                  .studentList = false,
                                  .viewRadios = false,
                                  .categoryRadios = false,
                                  .fields = false,
                                  .validate = true,
                                  .modeCommands = false,
                                  .quitIcon = res::kIconCancel,
                                  .quitCaption = "Annuler",
                                  .quitTooltip = "Annule l'effacement de la liste de notes",
                                  .validateTooltip = "Valide l'effacement de la liste de notes"};
  static const ModeLook kModifying{.classList = false,
                                   .studentList = true,
                                   .viewRadios = false,
                                   .categoryRadios = false,
                                   .fields = false,
                                   .validate = true,
                                   .modeCommands = false,
                                   .quitIcon = res::kIconCancel,
                                   .quitCaption = "Annuler",
                                   .quitTooltip = "Annule la modification des notes",
                                   .validateTooltip = "Valide la modification des notes"};
  static const ModeLook kComparing{.classList = true,
                                   .studentList = false,
                                   .viewRadios = false,
                                   .categoryRadios = true,
                                   .fields = false,
                                   .validate = false,
                                   .modeCommands = false,
                                   .quitIcon = res::kIconCancel,
                                   .quitCaption = "Retour",
                                   .quitTooltip = "Retourne vers la vue normale",
                                   .validateTooltip = nullptr};
  switch (mode) {
    case GradeMode::Adding:
      return kAdding;
    case GradeMode::Deleting:
      return kDeleting;
    case GradeMode::Modifying:
      return kModifying;
    case GradeMode::Comparing:
      return kComparing;
    case GradeMode::Normal:
      break;
  }
  return kNormal;
}

bool GradeEntryState::Begin(GradeMode task) {
  const bool refresh = task == GradeMode::Comparing && mode_ == GradeMode::Comparing;
  if (task == GradeMode::Normal || (mode_ != GradeMode::Normal && !refresh)) {
    return false;
  }
  mode_ = task;
  if (task == GradeMode::Deleting) {
    columnsDeleted_ = false;
  }
  return true;
}

void GradeEntryState::NoteColumnDeleted() {
  if (mode_ == GradeMode::Deleting) {
    columnsDeleted_ = true;
  }
}

TaskEnd GradeEntryState::Validate() const {
  switch (mode_) {
    case GradeMode::Adding:
    case GradeMode::Modifying:
      return TaskEnd::Save;
    case GradeMode::Deleting:
      // With nothing deleted the file is written unchanged and needs no copy.
      return columnsDeleted_ ? TaskEnd::SaveDeleted : TaskEnd::Save;
    case GradeMode::Normal:
    case GradeMode::Comparing:
      break;
  }
  return TaskEnd::Ignored;
}

void GradeEntryState::Finish() {
  mode_ = GradeMode::Normal;
  columnsDeleted_ = false;
}

TaskEnd GradeEntryState::Quit() {
  const GradeMode was = mode_;
  Finish();
  switch (was) {
    case GradeMode::Adding:
    case GradeMode::Deleting:
    case GradeMode::Modifying:
      return TaskEnd::Discard;
    case GradeMode::Comparing:
      return TaskEnd::Leave;
    case GradeMode::Normal:
      break;
  }
  return TaskEnd::Close;
}

}  // namespace vellanor
