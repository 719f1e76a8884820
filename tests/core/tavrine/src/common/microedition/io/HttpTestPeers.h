#pragma once

// Real HTTP peers for the connection tests, all on 127.0.0.1: the scripted
// peer, python's http.server and nginx, each over its own temporary folder.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "tests/core/tavrine/src/win/microedition/io/PeerProcess.h"
#include "tests/support/TempFolder.h"

namespace nvtest {

inline std::unique_ptr<PeerProcess> startScriptedPeer() {
  return std::make_unique<PeerProcess>(std::vector<std::string>{"python3", NV_TEST_DATA_DIR "/http_peer.py"}, true);
}

inline std::unique_ptr<PeerProcess> startPythonHttpServer(const TempFolder& root) {
  const int port = PeerProcess::freePort();
  auto peer = std::make_unique<PeerProcess>(std::vector<std::string>{"python3",
                                                                     "-m",
                                                                     "http.server",
                                                                     std::to_string(port),
                                                                     "--bind",
                                                                     "127.0.0.1",
                                                                     "--directory",
                                                                     root.path().string()},
                                            false);
  peer->setPort(port);
  return peer;
}

// nginx over root/www, with its pid, logs and temporary files in root.
inline std::unique_ptr<PeerProcess> startNginx(const TempFolder& root) {
  const int port = PeerProcess::freePort();
  const std::string dir = root.path().string();
  root.writeFile("nginx.conf",
                 "daemon off;\nmaster_process off;\nuser root;\npid " + dir + "/nginx.pid;\nerror_log " + dir +
                     "/error.log;\nevents {}\nhttp {\n access_log off;\n client_body_temp_path " + dir +
                     "/body;\n proxy_temp_path " + dir + "/proxy;\n fastcgi_temp_path " + dir +
                     "/fastcgi;\n uwsgi_temp_path " + dir + "/uwsgi;\n scgi_temp_path " + dir +
                     "/scgi;\n types { text/plain txt; }\n server {\n  listen 127.0.0.1:" + std::to_string(port) +
                     ";\n  root " + dir +
                     "/www;\n  keepalive_timeout 60;\n  location /tagged/ { add_header x-lower-case yes; }\n  location "
                     "/list/ { autoindex on; }\n }\n}\n");
  auto peer = std::make_unique<PeerProcess>(
      std::vector<std::string>{"nginx", "-p", dir, "-c", dir + "/nginx.conf", "-e", dir + "/error.log"}, false);
  peer->setPort(port);
  return peer;
}

}  // namespace nvtest
