mozai_bench(bench_camera ${CMAKE_CURRENT_LIST_DIR}/CameraBench.cpp)
