// How rows added at the end of a list view join its widget: each batch's
// rows and the time the widget spent taking them in (the insertion and the
// layout it causes, until the next batch). Painting the rows that come into
// sight is not counted: a screenful at most, whatever the batch or the list.
// For programs that measure a fill (a benchmark); forms never need it.
#pragma once

#include <memory>
#include <vector>

class TListView;

class TListBatchWatch {
 public:
  struct Batch {
    int rows = 0;
    double ms = 0;
  };

  // Watches the list view's widget from now on (a widget that goes first
  // leaves the batches noted so far).
  explicit TListBatchWatch(TListView* view);
  ~TListBatchWatch();
  TListBatchWatch(const TListBatchWatch&) = delete;
  TListBatchWatch& operator=(const TListBatchWatch&) = delete;

  // The batches since the watch began, the last one with the time spent on
  // it so far.
  std::vector<Batch> Batches() const;

  struct Log;

 private:
  std::shared_ptr<Log> log_;
  std::size_t first_ = 0;
};
