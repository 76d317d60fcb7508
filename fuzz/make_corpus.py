#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/.

The receive-path seeds are scripts in the step language of receive_path_fuzz.cpp (the opcodes
below mirror its enum Step); the others are laid out as their targets read them. Run it after
changing a target's input layout: python3 fuzz/make_corpus.py
Files named found_* came out of fuzzing runs; this script leaves them alone.
"""
import math
import pathlib
import struct

CORPUS = pathlib.Path(__file__).resolve().parent / "corpus"

# receive_path_fuzz.cpp, enum Step
RECEIVE, TICK, TICKS, CONNECT, RESET, ACTUATOR, SAMPLE_INTERVAL, BAUD_RATE = range(8)
FLIP_STATUS, FLIP_OPEN, UNPLUG, REPLUG, MODAL, ANSWER, ECHO, SETTINGS, TX_ROOM = range(8, 17)
COMMANDS = {0x10: 0, 0x13: 1, 0x14: 2, 0x15: 3}


def frame(command, payload=b""):
    """An ECU frame: command, length, payload, and the checksum that makes the sum 0."""
    body = bytes([command, 3 + len(payload)]) + bytes(payload)
    return body + bytes([(-sum(body)) & 0xFF])


class Script:
    def __init__(self):
        self.data = bytearray()

    def step(self, opcode, operands=b""):
        self.data += bytes([opcode]) + bytes(operands)
        return self

    def receive(self, data):
        return self.step(RECEIVE, bytes([len(data)]) + bytes(data))

    def ticks(self, count):
        return self.step(TICKS, [count - 1])

    def answer_step(self, command, payload=b""):
        """A well-formed frame through the ANSWER step (payload of at most 8 bytes)."""
        return self.step(ANSWER, bytes([COMMANDS[command] + 4 * len(payload)]) + bytes(payload))

    def actuator(self, mode, value):
        return self.step(ACTUATOR, bytes([mode]) + struct.pack("<i", value))

    def sample_interval(self, milliseconds):
        return self.step(SAMPLE_INTERVAL, struct.pack("<i", milliseconds))

    def baud_rate(self, text):
        return self.step(BAUD_RATE, bytes([len(text)]) + text.encode())

    def settings(self, fahrenheit=False, kph=False, mpg=False, flow_rate=None):
        bits = fahrenheit | kph << 1 | mpg << 2 | (flow_rate is not None) << 3
        operands = bytes([bits])
        if flow_rate is not None:
            operands += struct.pack("<i", flow_rate)
        return self.step(SETTINGS, operands)

    def connect(self, i0, i1):
        """Connect; the device opens; the identity request goes out; its echo and the ECU's
        answer come back (10 05 11 03 D7 for 1103); the answer is handled and the first data
        read goes out."""
        self.step(CONNECT).ticks(3).step(ECHO).receive(frame(0x10, [i0, i1]))
        return self.ticks(2)

    def answer(self, data):
        """The request in flight heard back, then the ECU's answer; two ticks (at 100 ms
        samples) handle it and send the next request."""
        return self.step(ECHO).receive(data).ticks(2)

    def read_blocks(self, count, fill):
        """Data reads answered with eight bytes from fill(block, k)."""
        for block in range(count):
            self.answer(frame(0x13, [fill(block, k) & 0xFF for k in range(8)]))
        return self


def receive_path_seeds():
    seeds = {}
    seeds["connect_identity_1103"] = Script().connect(0x11, 0x03).read_blocks(
        4, lambda block, k: block * 8 + k)
    seeds["read_data_1202_units_and_economy"] = (
        Script().connect(0x12, 0x02).read_blocks(3, lambda block, k: 0x40 + 17 * k)
        .settings(fahrenheit=True, kph=True, mpg=True, flow_rate=180)
        .read_blocks(4, lambda block, k: 0xFF - 9 * (block + k))
        .settings(mpg=True, flow_rate=0).read_blocks(2, lambda block, k: 0x80))
    # A reset goes out once the read in flight is answered. Each reset answer opens a message
    # box that runs two more ticks, and the next read goes out from inside it.
    seeds["reset_answers_in_a_modal_box"] = (
        Script().step(MODAL, [2]).connect(0x11, 0x03)
        .step(RESET).read_blocks(1, lambda block, k: k)
        .step(ECHO).receive(frame(0x14, [0x00])).step(TICK)
        .step(RESET).read_blocks(1, lambda block, k: k)
        .step(ECHO).receive(frame(0x14, [0x01])).step(TICK)
        .step(RESET).read_blocks(1, lambda block, k: k)
        .step(ECHO).receive(frame(0x14)).step(TICK).read_blocks(2, lambda block, k: k))
    seeds["actuator_commands_acknowledged"] = (
        Script().connect(0x11, 0x03)
        .actuator(1, 900).read_blocks(1, lambda block, k: k).answer(frame(0x15))
        .actuator(5, -1).read_blocks(1, lambda block, k: k).step(ECHO)
        .answer_step(0x15, [1, 2]).ticks(2)
        .actuator(200, 0x7FFFFFFF).read_blocks(1, lambda block, k: k).answer(frame(0x15))
        .actuator(0, 0).read_blocks(1, lambda block, k: k).answer(frame(0x15)).ticks(4))
    seeds["unplug_and_replug"] = (
        Script().connect(0x11, 0x03).read_blocks(2, lambda block, k: k).step(UNPLUG).ticks(4)
        .step(REPLUG).ticks(5).answer(frame(0x10, [0x11, 0x03]))
        .read_blocks(2, lambda block, k: 2 * k).step(FLIP_OPEN).ticks(3).step(FLIP_OPEN)
        .step(FLIP_STATUS).ticks(2).step(FLIP_STATUS).ticks(4))
    seeds["noise_bad_frames_and_silence"] = (
        Script().connect(0x11, 0x03).receive(bytes([0x00, 0xFF, 0x13, 0x0C, 0x15, 0x02]))
        .receive(frame(0x13, [1, 2, 3])[:-1] + b"\x00")  # checksum off by one
        .receive(bytes([0x10, 0x04, 0x11, 0x03, 0xD8]))  # length byte 4 on a 5-byte frame
        .receive(bytes([0x10, 0x05, 0x11])).ticks(8)  # cut short, then nothing: Rx errors
        .receive(bytes(range(0x0E, 0x18))).ticks(6).read_blocks(2, lambda block, k: k))
    # Requests that do not fit the transmit ring whole, then odd sample intervals.
    seeds["full_transmit_ring_and_sample_intervals"] = (
        Script().baud_rate("7812").connect(0x11, 0x03).step(TX_ROOM, [5])
        .sample_interval(1000).ticks(41).step(ECHO).ticks(40).step(TX_ROOM, [255])
        .sample_interval(-5).ticks(4).sample_interval(0x7FFFFFFF).ticks(4)
        .sample_interval(50).read_blocks(2, lambda block, k: k))
    seeds["obd2_and_unlisted_identities"] = (
        Script().connect(0x1B, 0x34).read_blocks(2, lambda block, k: k).step(UNPLUG).ticks(2)
        .step(REPLUG).ticks(5).answer(frame(0x10, [0x00, 0x00]))
        .read_blocks(2, lambda block, k: 0xAA).step(CONNECT).ticks(2)
        .answer(frame(0x10, [0x17])).ticks(4))
    # Every listed ECU in turn, each read through all its slots with bytes that differ from
    # slot to slot and from ECU to ECU, under changing display settings.
    listed = ["1103", "1112", "1202", "1253", "1453", "1601", "1641", "1701", "1702",
              "17E2", "1843", "1881", "1901", "1902", "1903", "1943", "F602", "F802"]
    for part in range(3):
        script = Script().settings(fahrenheit=part == 1, kph=part == 2, mpg=part != 0,
                                   flow_rate=210).connect(0x00, 0x00)
        for number, identity in enumerate(listed[part * 6:part * 6 + 6]):
            i0, i1 = int(identity[:2], 16), int(identity[2:], 16)
            salt = part * 6 + number
            script.step(CONNECT).read_blocks(1, lambda block, k: 0).answer(frame(0x10, [i0, i1]))
            script.read_blocks(7, lambda block, k: (block * 8 + k) * 37 + salt * 11)
            script.read_blocks(7, lambda block, k: 0xFF if (block + k + salt) % 3 else 0x00)
        seeds[f"every_listed_ecu_{part + 1}_of_3"] = script
    return {name: bytes(script.data) for name, script in seeds.items()}


def number_format_seed(value, precision, digits, separator, whole, text):
    return (struct.pack("<d", value) + struct.pack("<ii", precision, digits) +
            separator.encode() + struct.pack("<q", whole) + text.encode())


def number_format_seeds():
    return {
        "fixed_two_decimals": number_format_seed(3.14159, 4, 2, ".", 1234, "  -42 "),
        "rounds_up_a_digit": number_format_seed(99.96, 3, 1, ",", -7, "+2147483647"),
        "negative_rounds_to_zero": number_format_seed(-0.0004, 3, 2, ",", -2**63, "-2147483648"),
        "scientific_beyond_double": number_format_seed(1.7976931348623157e308, 2, 5, ".", 2**63 - 1,
                                                       "2147483648"),
        "denormal_all_digits": number_format_seed(5e-324, 18, 18, ".", 2**31, "\t+7\t"),
        "clamped_precision_and_digits": number_format_seed(-123456.5, 99, -3, ".", -(2**31),
                                                           "1e3"),
        "not_a_number": number_format_seed(math.nan, 6, 3, ".", 0, "+-1"),
        "minus_infinity": number_format_seed(-math.inf, 6, 3, ".", -1, " "),
    }


def command_line_seeds():
    def args(*words):
        return "\0".join(words).encode()
    return {
        "simulate_and_connect": args("--simulate=17e2", "--connect"),
        "port_and_connect": args("--port", "/dev/ttyUSB0", "--connect"),
        "port_with_equals": args("--port=/dev/pts/3", "--version"),
        "ecusim_every_option": args("--identity", "1103", "--baud", "7812", "--seed", "42",
                                    "--line-echoes", "--device", "/dev/ttyUSB1"),
        "two_interfaces": args("--simulate", "--port", "/dev/pts/1"),
        "help_version_short": args("--help", "--version", "-h"),
        "zero_baud_and_missing_value": args("--baud", "0", "--port"),
    }


def main():
    for target, seeds in (("receive_path_fuzz", receive_path_seeds()),
                          ("number_format_fuzz", number_format_seeds()),
                          ("command_line_fuzz", command_line_seeds())):
        folder = CORPUS / target
        folder.mkdir(parents=True, exist_ok=True)
        for name, data in seeds.items():
            (folder / name).write_bytes(data)


if __name__ == "__main__":
    main()
