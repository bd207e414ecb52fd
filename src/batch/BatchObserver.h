#pragma once

#include "journal/BatchRecord.h"

namespace quillon::batch {

// Hears how a batch of searches goes: the command line prints it, the journal records it,
// the window shows it.
class BatchObserver {
 public:
  virtual ~BatchObserver() = default;
  // A search starts (or goes on where it was left): its first page is about to load.
  virtual void searchStarting(const journal::SearchRecord& /*search*/, int /*listSize*/) {}
  // A search ended: its state, reason and rows are set. Told before the next one starts.
  virtual void searchEnded(const journal::SearchRecord& /*search*/) {}
  // The batch ends: every search settled, or it was stopped with searches left.
  virtual void batchEnded(const journal::BatchRecord& /*batch*/) {}
};

}  // namespace quillon::batch
