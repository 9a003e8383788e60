#pragma once
// The pages drawn by views of their own rather than the generic ones: each
// tool family registers its makers here, once, before the first view is made.

namespace orlan {

void RegisterToolViews();

} // namespace orlan
