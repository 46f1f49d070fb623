mozai_bench(bench_persist ${CMAKE_CURRENT_LIST_DIR}/PersistBench.cpp)
