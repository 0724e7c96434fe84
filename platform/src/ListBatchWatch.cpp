// TListBatchWatch: reads the log the list view's widget keeps (ListView.cpp).
#include "platform/ListBatchWatch.h"

#include "ListBatchLog.h"

TListBatchWatch::TListBatchWatch(TListView* view) : log_(ui_detail::ListBatchLogOf(view)) {
  if (log_) first_ = log_->batches.size();
}

TListBatchWatch::~TListBatchWatch() = default;

std::vector<TListBatchWatch::Batch> TListBatchWatch::Batches() const {
  if (!log_ || first_ >= log_->batches.size()) return {};
  return {log_->batches.begin() + static_cast<std::ptrdiff_t>(first_), log_->batches.end()};
}
