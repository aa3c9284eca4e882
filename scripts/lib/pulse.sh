# A private PulseAudio server for tests and screenshots: a null sink as the speakers and a pipe
# source as the microphone (its FIFO path in $QUELLIN_TEST_MIC_FIFO). Source this file with
# XDG_RUNTIME_DIR set to a private folder, call pulse_start, and pulse_stop when done.

pulse_start() {
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse.sock"
    export QUELLIN_TEST_MIC_FIFO="$XDG_RUNTIME_DIR/mic.fifo"
    pulseaudio -D -n --exit-idle-time=-1 --disallow-exit \
        --log-target=file:"$XDG_RUNTIME_DIR/pulse.log" \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$XDG_RUNTIME_DIR/pulse.sock" \
        -L "module-null-sink sink_name=quellin_speakers rate=44100" \
        -L "module-pipe-source source_name=quellin_microphone file=$QUELLIN_TEST_MIC_FIFO format=s16le rate=44100 channels=1"
    quellin_pulse_pid_file="$XDG_RUNTIME_DIR/pulse/pid"
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    pactl set-default-sink quellin_speakers
    pactl set-default-source quellin_microphone
}

# Stops only the server that pulse_start started, never the user's own.
pulse_stop() {
    if [ -n "${quellin_pulse_pid_file:-}" ] && [ -f "$quellin_pulse_pid_file" ]; then
        kill "$(cat "$quellin_pulse_pid_file")" 2>/dev/null || true
    fi
}
