#include "lang/Host.h"

namespace qel::lang {

namespace {

Host* installed = nullptr;

}  // namespace

Host* Host::current() { return installed; }

void Host::install(Host* host) { installed = host; }

void Host::uninstall(Host* host) {
  if (installed == host) installed = nullptr;
}

}  // namespace qel::lang
