#pragma once

#include "document/change.h"
#include "model/records.h"

namespace vellanor::platform {
class MessageService;
class FileStore;
}  // namespace vellanor::platform

namespace vellanor {

// What code that changes the gradebook needs of its owner: the gradebook, the
// program's messages and files, and the commit that saves a change (false,
// with the gradebook back at what the file holds, when it could not be saved).
// The document is the owner; the main window passes its commits on to it.
class EditedGradebook {
 public:
  virtual ~EditedGradebook() = default;
  virtual Gradebook& Book() = 0;
  virtual platform::MessageService& Messages() = 0;
  virtual platform::FileStore& Files() = 0;
  virtual bool Commit(const Change& change) = 0;
};

}  // namespace vellanor
