# The two commands a newcomer needs: `make run` and `make test`.
# Both install what is missing (scripts/install-deps) and build first.

SHELL := /bin/bash
JOBS ?= $(shell nproc)
# Where the program keeps its database (Vellanor.db) when started by `make run`.
DATA_DIR ?= $(HOME)/Vellanor

.PHONY: all deps build run test asan fuzz bench package package-check format clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

# The sample report templates go into the data folder's Template/ when
# missing; a teacher's own or edited templates are never overwritten.
TEMPLATES_DIR := share/templates

run: build
	@mkdir -p "$(DATA_DIR)/Template"
	@for template in $(TEMPLATES_DIR)/*.rtf; do \
	  target="$(DATA_DIR)/Template/$$(basename "$$template")"; \
	  [ -e "$$target" ] || cp "$$template" "$$target"; \
	done
	@echo "Dossier des données : $(DATA_DIR)"
	cd "$(DATA_DIR)" && "$(CURDIR)/build/default/src/program/vellanor"

test: build
	ctest --preset default -j $(JOBS)

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# Each libFuzzer target for FUZZ_SECONDS seconds from its seed corpus.
FUZZ_SECONDS ?= 30
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	scripts/run-fuzzers build/fuzz $(FUZZ_SECONDS)

bench: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	scripts/run-benchmarks build/release

# The Debian package, built in release mode for /usr with the hardening flags:
# ./vellanor_<version>-<revision>_<arch>.deb, to install with
# `sudo apt install ./vellanor_*.deb`.
package: deps
	cmake -S . -B build/package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DVELLANOR_TESTS=OFF -DVELLANOR_HARDEN=ON
	cmake --build build/package -j $(JOBS)
	rm -rf build/package/deb
	cd build/package && cpack -G DEB -B "$(CURDIR)/build/package/deb"
	cp build/package/deb/vellanor_*.deb .

# The package through lintian (no error, no warning) and its AppStream
# metadata through appstreamcli.
package-check: package
	tests/install/check_package.sh build/package/deb/vellanor_*.deb

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
