# Orvane's front door.
#   make run        build and start the English Linux build (screenshot when no display)
#   make run-ru     the same for the Russian build
#   make test       install what is missing, build every preset, run every test
#   make bench      run the benchmarks (Linux, then the Windows build under Wine)
SHELL := /bin/bash
# cmake runs make beneath this one; keep its output to what it builds.
MAKEFLAGS += --no-print-directory
.DEFAULT_GOAL := build

.PHONY: build deps linux windows sanitize test bench bench-wine run run-ru run-windows run-windows-ru clean

deps:
	@scripts/install-deps

linux: deps
	@cmake --preset linux >/dev/null
	@cmake --build --preset linux

windows: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows

sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize

build: linux windows

test: linux windows sanitize
	ctest --preset linux
	ctest --preset windows
	ctest --preset sanitize

WINE_BENCH = scripts/with-wine --xvfb --host python3 bench/wine_bench.py --bin build/windows/bin --out build/windows/bench

bench: linux windows
	build/linux/bin/orvane_bench
	build/linux/bin/orvane_sdl_bench
	$(WINE_BENCH)

bench-wine: windows
	$(WINE_BENCH)

run: linux
	@scripts/run-program build/linux/bin/orvane_en

run-ru: linux
	@scripts/run-program build/linux/bin/orvane_ru

run-windows: windows
	@scripts/run-program build/windows/bin/orvane_en.exe

run-windows-ru: windows
	@scripts/run-program build/windows/bin/orvane_ru.exe

clean:
	rm -rf build
