// Private: what a list view's widget notes of its batches for
// TListBatchWatch. The widget and every watch of it share one log.
#pragma once

#include <QElapsedTimer>
#include <vector>

#include "platform/ListBatchWatch.h"

struct TListBatchWatch::Log {
  std::vector<Batch> batches;  // the last one is open until the next begins

  void Begin(int rows) { batches.push_back({rows, 0}); }
  void Spent(const QElapsedTimer& since) {
    if (!batches.empty()) batches.back().ms += static_cast<double>(since.nsecsElapsed()) / 1e6;
  }
};

namespace ui_detail {

// The list view's log, made on the first call (null without a widget).
std::shared_ptr<TListBatchWatch::Log> ListBatchLogOf(TListView* view);

}  // namespace ui_detail
