mozai_bench(bench_draw ${CMAKE_CURRENT_LIST_DIR}/DrawBench.cpp)
