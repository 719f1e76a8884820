#include "tools/demodata/lib/DataSet.h"

#include <exception>
#include <iostream>

// nv-demodata <data folder> <output folder>: builds game.dat and engine.ini of the demo data set.
int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: nv-demodata <data folder> <output folder>\n";
        return 2;
    }
    try {
        const auto set = nv::demodata::DataSet::build(argv[1]);
        set.writeTo(argv[2]);
        std::cout << "nv-demodata: " << set.entries().size() << " entries written to " << argv[2] << "/game.dat\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "nv-demodata: " << e.what() << "\n";
        return 1;
    }
}
