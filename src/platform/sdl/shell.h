#pragma once
// The programs the shell open started: they are never waited for, but each
// one that has ended is reaped (on every later open and every pump of the
// message queue) so that none is left as a zombie.

namespace orvane::sdl {

void reapOpeners();

}  // namespace orvane::sdl
