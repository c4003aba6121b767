# The two commands of the README: `make run` builds and starts the game, `make test` builds and runs
# every test. Both first install the Debian packages the build needs.

PACKAGES := g++ cmake make pkg-config libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev zlib1g-dev \
            libpng-dev libjpeg-dev libcairo2-dev libgtest-dev libgmock-dev libbenchmark-dev \
            desktop-file-utils appstream dpkg-dev file
FUZZ_PACKAGES := clang libclang-rt-14-dev
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BUILD := build
TESTBUILD := build/sanitize

PREFIX ?= /usr/local

.PHONY: all run test deps configure build bench fuzz format clean data install package

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    if [ "$$(id -u)" = "0" ]; then \
	        echo "Installing:$$missing"; \
	        apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	    else \
	        echo "Missing packages. Run as root:"; \
	        echo "  apt-get update && apt-get install -y$$missing"; \
	        exit 1; \
	    fi; \
	fi

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/game && ./zerathon

test: deps
	@cmake -S . -B $(TESTBUILD) -DCMAKE_BUILD_TYPE=Debug -DZERATHON_SANITIZE=ON >/dev/null
	cmake --build $(TESTBUILD) -j $(JOBS)
	cd $(TESTBUILD) && ctest --output-on-failure -j $(JOBS)

# A system-wide installation (make install PREFIX=/usr), or into any prefix of the player's choice.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, build/zerathon_VERSION_ARCH.deb.
package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	cd $(BUILD) && for b in bench/*Bench; do ./$$b; done

fuzz: deps
	@missing=""; for p in $(FUZZ_PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; [ -z "$$missing" ] || apt-get install -y -q $$missing
	cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DZERATHON_FUZZ=ON >/dev/null
	cmake --build build/fuzz -j $(JOBS) --target fuzzers

# Regenerates data/ from the committed sources: pictures, samples, missions and effect files.
data: configure
	cmake --build $(BUILD) --target PictureGenerator SoundSynth LevelTool EffectTool -j $(JOBS)
	$(BUILD)/tools/PictureGenerator data
	$(BUILD)/tools/PictureGenerator --icons dist/icons
	$(BUILD)/tools/SoundSynth data
	$(BUILD)/tools/LevelTool build data-src/levels data/Levels
	$(BUILD)/tools/EffectTool build data-src/effects data/Graphic

format:
	find src tests bench tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
