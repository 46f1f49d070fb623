if(MOZAI_GUI)
    mozai_bench(bench_render RenderBench.cpp LIBS mozai_render)
endif()
