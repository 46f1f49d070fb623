mozai_bench(bench_puzzle ${CMAKE_CURRENT_LIST_DIR}/PuzzleBench.cpp)
