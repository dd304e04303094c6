#pragma once
// How the toolkit-free core hands work to the main thread: a component that
// produces results on a thread of its own takes one of these when it is made and
// calls it with each result; the application passes one that queues the call
// into its event loop. The background side never waits for it.

#include <functional>

namespace lumetra {

using PostToMain = std::function<void(std::function<void()>)>;

}  // namespace lumetra
