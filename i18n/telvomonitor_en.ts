<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AttitudePage</name>
    <message>
        <source>姿态仪表</source>
        <translation>Attitude indicator</translation>
    </message>
    <message>
        <source>电子罗盘航向</source>
        <translation>Compass heading</translation>
    </message>
    <message>
        <source>姿态角</source>
        <translation>Attitude</translation>
    </message>
    <message>
        <source>横滚 Roll</source>
        <translation>Roll</translation>
    </message>
    <message>
        <source>俯仰 Pitch</source>
        <translation>Pitch</translation>
    </message>
    <message>
        <source>航向 Yaw</source>
        <translation>Heading</translation>
    </message>
    <message>
        <source>IMU 传感器</source>
        <translation>IMU sensors</translation>
    </message>
    <message>
        <source>陀螺 X</source>
        <translation>Gyro X</translation>
    </message>
    <message>
        <source>陀螺 Y</source>
        <translation>Gyro Y</translation>
    </message>
    <message>
        <source>陀螺 Z</source>
        <translation>Gyro Z</translation>
    </message>
    <message>
        <source>加计 X</source>
        <translation>Accel X</translation>
    </message>
    <message>
        <source>加计 Y</source>
        <translation>Accel Y</translation>
    </message>
    <message>
        <source>加计 Z</source>
        <translation>Accel Z</translation>
    </message>
    <message>
        <source>温度 Temp</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>GNSS 定位与状态</source>
        <translation>GNSS fix and status</translation>
    </message>
    <message>
        <source>GNSS 纬度</source>
        <translation>GNSS latitude</translation>
    </message>
    <message>
        <source>GNSS 经度</source>
        <translation>GNSS longitude</translation>
    </message>
    <message>
        <source>GNSS 高度</source>
        <translation>GNSS altitude</translation>
    </message>
    <message>
        <source>东向 Ve</source>
        <translation>East velocity</translation>
    </message>
    <message>
        <source>北向 Vn</source>
        <translation>North velocity</translation>
    </message>
    <message>
        <source>天向 Vu</source>
        <translation>Up velocity</translation>
    </message>
    <message>
        <source>GNSS 航向</source>
        <translation>GNSS heading</translation>
    </message>
    <message>
        <source>GNSS 状态</source>
        <translation>GNSS status</translation>
    </message>
    <message>
        <source>导航状态</source>
        <translation>Navigation state</translation>
    </message>
</context>
<context>
    <name>CalibPage</name>
    <message>
        <source>通信与轴向</source>
        <translation>Comms &amp; axes</translation>
    </message>
    <message>
        <source>现场维护</source>
        <translation>Field maintenance</translation>
    </message>
    <message>
        <source>出厂陀螺</source>
        <translation>Factory gyro</translation>
    </message>
    <message>
        <source>补偿文件</source>
        <translation>Compensation file</translation>
    </message>
    <message>
        <source>安装误差</source>
        <translation>Mounting error</translation>
    </message>
    <message>
        <source>厂家维护</source>
        <translation>Factory maintenance</translation>
    </message>
    <message>
        <source>厂家标定与维护专用，误操作可能影响设备精度。请在当前 Tab 完成读/设后，点击本 Tab 的「保存出厂」写入设备。</source>
        <translation>For factory calibration and maintenance only; a wrong step can spoil the unit&apos;s accuracy. Read or set on the current tab, then click its “Save factory” to write to the unit.</translation>
    </message>
    <message>
        <source>进入本页将自动关闭导航输出并读固件版本；串口1 在下方卡片读/设。任意 Tab 改参后，仅在页底「读回与保存」保存一次。</source>
        <translation>Opening this page turns off the navigation output and reads the firmware version; serial port 1 is read and set in the card below. After changing settings on any tab, save once under “Read back and save” at the bottom.</translation>
    </message>
</context>
<context>
    <name>ChartCard</name>
    <message>
        <source>实时曲线</source>
        <translation>Live chart</translation>
    </message>
</context>
<context>
    <name>ChartsPage</name>
    <message>
        <source>滚动窗口</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>采样频率</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>横滚 Roll</source>
        <translation>Roll</translation>
    </message>
    <message>
        <source>需 ahrs / sins 姿态字段</source>
        <translation>Needs the ahrs / sins attitude fields</translation>
    </message>
    <message>
        <source>俯仰 Pitch</source>
        <translation>Pitch</translation>
    </message>
    <message>
        <source>航向 Yaw</source>
        <translation>Heading</translation>
    </message>
    <message>
        <source>温度 Temp</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>需 imu 层温度字段</source>
        <translation>Needs the imu layer&apos;s temperature field</translation>
    </message>
</context>
<context>
    <name>ConfirmDialog</name>
    <message>
        <source>确认</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ConnectionDialog</name>
    <message>
        <source>「%1」正在连接中。
保存将中断当前连接过程，并应用新的连接信息。</source>
        <translation>“%1” is connecting.
Saving stops the connection attempt and applies the new link settings.</translation>
    </message>
    <message>
        <source>「%1」当前已联机。
保存将先断开连接，再应用新的连接信息。</source>
        <translation>“%1” is online.
Saving disconnects it first, then applies the new link settings.</translation>
    </message>
    <message>
        <source>编辑设备连接</source>
        <translation>Edit device link</translation>
    </message>
    <message>
        <source>手动添加设备</source>
        <translation>Add device manually</translation>
    </message>
    <message>
        <source>修改链路参数；保存后若该设备已联机将先断开，请在总览或工作区重新连接。</source>
        <translation>Change the link settings. An online device is disconnected on saving; connect it again from the overview or its workspace.</translation>
    </message>
    <message>
        <source>选择产品类型与设备型号并配置串口；添加后在「设备总览」查看与管理纳管列表。</source>
        <translation>Choose the product type and device model and set up the serial port; once added, the device appears under “Device overview” with the other managed devices.</translation>
    </message>
    <message>
        <source>连接方式：串口（RS232/422）</source>
        <translation>Link: serial port (RS232/422)</translation>
    </message>
    <message>
        <source>产品类型</source>
        <translation>Product</translation>
    </message>
    <message>
        <source>编辑模式下不可更改产品类型</source>
        <translation>The product type cannot be changed while editing</translation>
    </message>
    <message>
        <source>设备型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>编辑模式下不可更改设备型号</source>
        <translation>The device model cannot be changed while editing</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>COM3 或 /dev/ttyUSB0</source>
        <translation>COM3 or /dev/ttyUSB0</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>重新扫描本机 COM 口列表</source>
        <translation>Scan this computer&apos;s serial ports again</translation>
    </message>
    <message>
        <source>原串口 %1 当前不在列表中，请重新选择或手动输入</source>
        <translation>The earlier port %1 is not in the list; choose another or type it in</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>%1（自定义）</source>
        <translation>%1 (custom)</translation>
    </message>
    <message>
        <source>自定义波特率，如 57600</source>
        <translation>Custom baud rate, e.g. 57600</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>加入下拉列表并参与自动检测（300～3000000，不可与预设重复）</source>
        <translation>Add it to the list and to auto-detect (300–3000000, not one of the presets)</translation>
    </message>
    <message>
        <source>检测中…</source>
        <translation>Detecting…</translation>
    </message>
    <message>
        <source>自动检测</source>
        <translation>Auto-detect</translation>
    </message>
    <message>
        <source>匹配 COM 口与波特率（优先当前所选口）</source>
        <translation>Find the port and baud rate (the chosen port first)</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ContextBar</name>
    <message>
        <source>回放中</source>
        <translation>Playing</translation>
    </message>
    <message>
        <source>已暂停</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>结束回放</source>
        <translation>End replay</translation>
    </message>
    <message>
        <source>数据转发 · %1</source>
        <translation>Data forwarding · %1</translation>
    </message>
    <message>
        <source>数据转发</source>
        <translation>Data forwarding</translation>
    </message>
    <message>
        <source>把数据转发给其他程序（UDP JSON、NMEA 0183）</source>
        <translation>Forward the data to other programs (UDP JSON, NMEA 0183)</translation>
    </message>
</context>
<context>
    <name>DeviceCard</name>
    <message>
        <source>未连接</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>移除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>进入并连接</source>
        <translation>Enter and connect</translation>
    </message>
</context>
<context>
    <name>DeviceConnectBar</name>
    <message>
        <source>等待协议</source>
        <translation>waiting for protocol</translation>
    </message>
    <message>
        <source>监控中</source>
        <translation>Monitoring</translation>
    </message>
    <message>
        <source>连接中</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>等待重连</source>
        <translation>Awaiting reconnect</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>断开</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>编辑当前设备连接信息</source>
        <translation>Edit the current device&apos;s link</translation>
    </message>
</context>
<context>
    <name>DeviceHub</name>
    <message>
        <source>纳管设备</source>
        <translation>Managed devices</translation>
    </message>
    <message numerus="yes">
        <source>共 %n 台 · 选择设备进入对应产品工作区</source>
        <translation>
            <numerusform>%n device · choose one to open its workspace</numerusform>
            <numerusform>%n devices · choose one to open its workspace</numerusform>
        </translation>
    </message>
    <message>
        <source>断线自动重连</source>
        <translation>Reconnect automatically</translation>
    </message>
    <message>
        <source>设备意外断开（拔出 USB、断电）后，串口恢复时自动重新连接；对所有设备生效</source>
        <translation>When a device drops out unexpectedly (USB pulled, power lost), connect again once its serial port is back; applies to all devices</translation>
    </message>
    <message>
        <source>自动搜索</source>
        <translation>Auto-search</translation>
    </message>
    <message>
        <source>打开记录</source>
        <translation>Open recording</translation>
    </message>
    <message>
        <source>回放已保存的记录文件（.txt / .bin）；当前设备的连接将断开</source>
        <translation>Replay a saved recording (.txt / .bin); the current device is disconnected</translation>
    </message>
    <message>
        <source>添加设备</source>
        <translation>Add device</translation>
    </message>
    <message>
        <source>自动搜索功能开发中，请使用「添加设备」手动纳管</source>
        <translation>Auto-search is not available yet; use “Add device” to manage a device</translation>
    </message>
    <message>
        <source>联机设备</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>未连接</source>
        <translation>Not connected</translation>
    </message>
</context>
<context>
    <name>DeviceSection</name>
    <message numerus="yes">
        <source>%n 台</source>
        <translation>
            <numerusform>%n device</numerusform>
            <numerusform>%n devices</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FactoryCompTab</name>
    <message>
        <source>补偿文件</source>
        <translation>Compensation file</translation>
    </message>
    <message>
        <source>保存设备读回</source>
        <translation>Save unit read-back</translation>
    </message>
    <message>
        <source>文本 (*.txt);;All (*.*)</source>
        <translation>Text (*.txt);;All (*.*)</translation>
    </message>
    <message>
        <source>读回中…</source>
        <translation>Reading back…</translation>
    </message>
    <message>
        <source>IMU 编号</source>
        <translation>IMU ID</translation>
    </message>
    <message>
        <source>IMU 序列号</source>
        <translation>IMU serial number</translation>
    </message>
    <message>
        <source>打开补偿文件，或读出厂到文本</source>
        <translation>Open a compensation file, or read the factory record into text</translation>
    </message>
    <message>
        <source>打开补偿文件</source>
        <translation>Open compensation file</translation>
    </message>
    <message>
        <source>下发文件行</source>
        <translation>Send file lines</translation>
    </message>
    <message>
        <source>读出厂到文本</source>
        <translation>Read factory to text</translation>
    </message>
    <message>
        <source>保存读回文本</source>
        <translation>Save read-back text</translation>
    </message>
    <message>
        <source>保存出厂</source>
        <translation>Save factory</translation>
    </message>
</context>
<context>
    <name>FactoryGyroTab</name>
    <message>
        <source>X 轴</source>
        <translation>X axis</translation>
    </message>
    <message>
        <source>Y 轴</source>
        <translation>Y axis</translation>
    </message>
    <message>
        <source>Z 轴</source>
        <translation>Z axis</translation>
    </message>
    <message>
        <source>设备编号</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>X 轴二阶温标</source>
        <translation>X 2nd-order temp. term</translation>
    </message>
    <message>
        <source>X 轴一阶温标</source>
        <translation>X 1st-order temp. term</translation>
    </message>
    <message>
        <source>X 轴刻度系数</source>
        <translation>X scale factor</translation>
    </message>
    <message>
        <source>Y 轴二阶温标</source>
        <translation>Y 2nd-order temp. term</translation>
    </message>
    <message>
        <source>Y 轴一阶温标</source>
        <translation>Y 1st-order temp. term</translation>
    </message>
    <message>
        <source>Y 轴刻度系数</source>
        <translation>Y scale factor</translation>
    </message>
    <message>
        <source>Z 轴二阶温标</source>
        <translation>Z 2nd-order temp. term</translation>
    </message>
    <message>
        <source>Z 轴一阶温标</source>
        <translation>Z 1st-order temp. term</translation>
    </message>
    <message>
        <source>Z 轴刻度系数</source>
        <translation>Z scale factor</translation>
    </message>
    <message>
        <source>静态漂移 X</source>
        <translation>Static drift X</translation>
    </message>
    <message>
        <source>静态漂移 Y</source>
        <translation>Static drift Y</translation>
    </message>
    <message>
        <source>静态漂移 Z</source>
        <translation>Static drift Z</translation>
    </message>
    <message>
        <source>交叉耦合 XY</source>
        <translation>Cross-coupling XY</translation>
    </message>
    <message>
        <source>交叉耦合 XZ</source>
        <translation>Cross-coupling XZ</translation>
    </message>
    <message>
        <source>交叉耦合 YX</source>
        <translation>Cross-coupling YX</translation>
    </message>
    <message>
        <source>交叉耦合 YZ</source>
        <translation>Cross-coupling YZ</translation>
    </message>
    <message>
        <source>交叉耦合 ZX</source>
        <translation>Cross-coupling ZX</translation>
    </message>
    <message>
        <source>交叉耦合 ZY</source>
        <translation>Cross-coupling ZY</translation>
    </message>
    <message>
        <source>标定数据</source>
        <translation>Calibration data</translation>
    </message>
    <message>
        <source>数据文件 (*.dat *.txt);;All (*.*)</source>
        <translation>Data files (*.dat *.txt);;All (*.*)</translation>
    </message>
    <message numerus="yes">
        <source>有 %n 项参数为空或不是有效数字（%1）。这些位置将按当前内容下发，设备可能拒收或写入错误参数。是否继续？</source>
        <translation>
            <numerusform>%n parameter is empty or not a valid number (%1). It is sent as it stands; the unit may refuse the record or store a wrong value. Continue?</numerusform>
            <numerusform>%n parameters are empty or not valid numbers (%1). They are sent as they stand; the unit may refuse the record or store wrong values. Continue?</numerusform>
        </translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>温标与刻度</source>
        <translation>Temperature terms and scale</translation>
    </message>
    <message>
        <source>二阶温标</source>
        <translation>2nd-order temp.</translation>
    </message>
    <message>
        <source>一阶温标</source>
        <translation>1st-order temp.</translation>
    </message>
    <message>
        <source>刻度系数</source>
        <translation>Scale factor</translation>
    </message>
    <message>
        <source>交叉耦合</source>
        <translation>Cross-coupling</translation>
    </message>
    <message>
        <source>回读</source>
        <translation>Read-back</translation>
    </message>
    <message>
        <source>写入出厂</source>
        <translation>Write to factory</translation>
    </message>
    <message>
        <source>静态漂移</source>
        <translation>Static drift</translation>
    </message>
    <message>
        <source>出厂读写</source>
        <translation>Factory read/write</translation>
    </message>
    <message>
        <source>读出厂</source>
        <translation>Read factory</translation>
    </message>
    <message>
        <source>设出厂</source>
        <translation>Set as factory</translation>
    </message>
    <message>
        <source>导入标定</source>
        <translation>Import calibration</translation>
    </message>
    <message>
        <source>保存出厂</source>
        <translation>Save factory</translation>
    </message>
    <message>
        <source>仍然下发</source>
        <translation>Send anyway</translation>
    </message>
    <message>
        <source>返回填写</source>
        <translation>Go back</translation>
    </message>
</context>
<context>
    <name>FactoryInstallTab</name>
    <message>
        <source>安装误差</source>
        <translation>Mounting error</translation>
    </message>
    <message>
        <source>度</source>
        <translation>deg</translation>
    </message>
    <message>
        <source>回读</source>
        <translation>Read-back</translation>
    </message>
    <message>
        <source>读安装误差</source>
        <translation>Read mounting error</translation>
    </message>
    <message>
        <source>设安装误差</source>
        <translation>Set mounting error</translation>
    </message>
    <message>
        <source>保存出厂</source>
        <translation>Save factory</translation>
    </message>
</context>
<context>
    <name>FactoryMaintTab</name>
    <message>
        <source>厂家存储</source>
        <translation>Factory storage</translation>
    </message>
    <message>
        <source>初始化存储信息</source>
        <translation>Initialise stored info</translation>
    </message>
    <message>
        <source>IMU 标定与漂移</source>
        <translation>IMU calibration and drift</translation>
    </message>
    <message>
        <source>读 IMU 标定</source>
        <translation>Read IMU calibration</translation>
    </message>
    <message>
        <source>静态标定</source>
        <translation>Static calibration</translation>
    </message>
    <message>
        <source>复位标定</source>
        <translation>Reset calibration</translation>
    </message>
    <message>
        <source>漂移触发</source>
        <translation>Trigger drift</translation>
    </message>
    <message>
        <source>Z 轴漂移量</source>
        <translation>Z-axis drift</translation>
    </message>
    <message>
        <source>设漂移</source>
        <translation>Set drift</translation>
    </message>
</context>
<context>
    <name>ForwardPanel</name>
    <message>
        <source>数据转发</source>
        <translation>Data forwarding</translation>
    </message>
    <message>
        <source>把解码后的每条记录交给其他程序，实时设备与记录回放均可。</source>
        <translation>Hands every decoded record to other programs, from a live unit or a replay.</translation>
    </message>
    <message>
        <source>UDP JSON</source>
        <translation>UDP JSON</translation>
    </message>
    <message>
        <source>每条记录一个数据报，供绘图工具使用（如 PlotJuggler）</source>
        <translation>One datagram per record, for plotting tools (such as PlotJuggler)</translation>
    </message>
    <message>
        <source>目标</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>%1 · 已发送 %2 条</source>
        <translation>%1 · %2 sent</translation>
    </message>
    <message>
        <source>NMEA 0183 TCP</source>
        <translation>NMEA 0183 TCP</translation>
    </message>
    <message>
        <source>GGA、RMC、VTG、HDT，供地图与 GNSS 软件使用</source>
        <translation>GGA, RMC, VTG, HDT for mapping and GNSS software</translation>
    </message>
    <message>
        <source>监听</source>
        <translation>Listen on</translation>
    </message>
    <message>
        <source>频率</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>Hz（不超过设备的输出频率）</source>
        <translation>Hz (never above the unit&apos;s output rate)</translation>
    </message>
    <message>
        <source>%1 · 慢客户端丢弃 %2 字节</source>
        <translation>%1 · %2 bytes dropped for slow clients</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>确定将「%1」从纳管列表中移除吗？
未完成的连接准备将被清除；若该设备已联机，将先断开。</source>
        <translation>Remove “%1” from the managed devices?
A connection still being prepared is dropped; if the device is online, it is disconnected first.</translation>
    </message>
    <message>
        <source>取消纳管</source>
        <translation>Remove device</translation>
    </message>
    <message>
        <source>移除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>保留</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>保存连接信息</source>
        <translation>Save link settings</translation>
    </message>
    <message>
        <source>保存并断开</source>
        <translation>Save and disconnect</translation>
    </message>
    <message>
        <source>继续编辑</source>
        <translation>Keep editing</translation>
    </message>
</context>
<context>
    <name>MessagePage</name>
    <message>
        <source>数据格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>等待协议</source>
        <translation>Waiting for protocol</translation>
    </message>
    <message numerus="yes">
        <source>%n 项</source>
        <translation>
            <numerusform>%n field</numerusform>
            <numerusform>%n fields</numerusform>
        </translation>
    </message>
    <message>
        <source>已选中文本，暂停刷新</source>
        <translation>Text selected, refresh paused</translation>
    </message>
    <message>
        <source>等待导航数据…</source>
        <translation>Waiting for navigation data…</translation>
    </message>
</context>
<context>
    <name>NavMenu</name>
    <message>
        <source>回放模式下不可用</source>
        <translation>Not available in replay</translation>
    </message>
</context>
<context>
    <name>NoisePage</name>
    <message>
        <source>记录期间设备不是静止的，以下噪声指标没有意义：%1</source>
        <translation>The unit was not at rest during the recording; the noise figures below mean nothing: %1</translation>
    </message>
    <message>
        <source>记录中有中断，以下噪声指标按连续数据算出，并不可靠：%1</source>
        <translation>The recording has gaps; the noise figures below treat it as continuous and are not reliable: %1</translation>
    </message>
    <message>
        <source>选择记录</source>
        <translation>Choose recording</translation>
    </message>
    <message>
        <source>记录文件 (*.txt *.bin);;所有文件 (*)</source>
        <translation>Recordings (*.txt *.bin);;All files (*)</translation>
    </message>
    <message>
        <source>导出噪声分析 CSV</source>
        <translation>Export noise analysis CSV</translation>
    </message>
    <message>
        <source>噪声分析</source>
        <translation>Noise analysis</translation>
    </message>
    <message>
        <source>选择一段设备静止时的记录（.txt 消息记录或 .bin 原始数据）</source>
        <translation>Choose a recording made with the unit at rest (.txt message log or .bin raw data)</translation>
    </message>
    <message>
        <source>采样率</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>自动</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>重新分析</source>
        <translation>Analyse again</translation>
    </message>
    <message>
        <source>导出 CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>正在分析 %1…</source>
        <translation>Analysing %1…</translation>
    </message>
    <message>
        <source>采样率 %1 Hz</source>
        <translation>Sample rate %1 Hz</translation>
    </message>
    <message>
        <source>（由时间戳得出）</source>
        <translation> (from time stamps)</translation>
    </message>
    <message>
        <source>（指定）</source>
        <translation> (given)</translation>
    </message>
    <message>
        <source>（取自回放）</source>
        <translation> (from replay)</translation>
    </message>
    <message numerus="yes">
        <source>%n 个采样</source>
        <translation>
            <numerusform>%n sample</numerusform>
            <numerusform>%n samples</numerusform>
        </translation>
    </message>
    <message>
        <source>Allan 方差</source>
        <translation>Allan deviation</translation>
    </message>
    <message>
        <source>重叠 Allan 标准差 · 陀螺实线 °/h · 加计虚线 mg</source>
        <translation>Overlapping · gyros solid °/h · accels dashed mg</translation>
    </message>
    <message>
        <source>正在分析…</source>
        <translation>Analysing…</translation>
    </message>
    <message>
        <source>选择一段设备静止时的记录，计算陀螺与加计的 Allan 方差</source>
        <translation>Choose a recording made with the unit at rest to compute the Allan deviation of the gyros and accelerometers</translation>
    </message>
    <message>
        <source>噪声指标</source>
        <translation>Noise figures</translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>随机游走</source>
        <translation>Random walk</translation>
    </message>
    <message>
        <source>零偏不稳定性</source>
        <translation>Bias instability</translation>
    </message>
    <message>
        <source>最小处 τ</source>
        <translation>τ at min.</translation>
    </message>
    <message>
        <source>随机游走：白噪声区（斜率 −½）拟合直线在 τ = 1 s 处的读数；陀螺为角度随机游走 ARW，加计为速度随机游走 VRW。</source>
        <translation>Random walk: the line fitted to the white-noise region (slope −½), read at τ = 1 s; angle random walk (ARW) for the gyros, velocity random walk (VRW) for the accelerometers.</translation>
    </message>
    <message>
        <source>零偏不稳定性：曲线最小值 ÷ 0.664；“≤”表示曲线到最长 τ 仍在下降，需要更长的记录才能读准。</source>
        <translation>Bias instability: the curve&apos;s minimum ÷ 0.664; “≤” means the curve still falls at the longest τ, and a longer recording is needed to read it.</translation>
    </message>
</context>
<context>
    <name>RawPage</name>
    <message>
        <source>关闭导航输出 (stop com1)</source>
        <translation>Stop navigation output</translation>
    </message>
    <message>
        <source>打开导航输出 (start com1)</source>
        <translation>Start navigation output</translation>
    </message>
    <message>
        <source>读串口1 (get com1)</source>
        <translation>Read serial port 1</translation>
    </message>
    <message>
        <source>保存用户配置 (save config)</source>
        <translation>Save user configuration</translation>
    </message>
    <message>
        <source>复位用户存储 (reset user flash)</source>
        <translation>Reset user storage</translation>
    </message>
    <message>
        <source>航向校正 (correct heading)</source>
        <translation>Heading correction</translation>
    </message>
    <message>
        <source>读对准时间 (get align time)</source>
        <translation>Read alignment time</translation>
    </message>
    <message>
        <source>设对准时间 300s (set align time)</source>
        <translation>Set alignment time to 300 s</translation>
    </message>
    <message>
        <source>读导航位置 (get position)</source>
        <translation>Read navigation position</translation>
    </message>
    <message>
        <source>复位 Flash 信息 (reset flash info)</source>
        <translation>Reset flash information</translation>
    </message>
    <message>
        <source>已暂停 · 文本按串口字节显示（不可打印为 .）；二进制请切 Hex</source>
        <translation>Paused · text shows serial bytes (unprintable as .); use Hex for binary</translation>
    </message>
    <message>
        <source>实时 · 文本按串口字节显示（不可打印为 .）；二进制请切 Hex。高频下分段刷新以免卡住界面</source>
        <translation>Live · text shows serial bytes (unprintable as .); use Hex for binary. Refreshes in steps at high rates</translation>
    </message>
    <message>
        <source>文本</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>继续</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Hex 等待…</source>
        <translation>Waiting for data (hex)…</translation>
    </message>
    <message>
        <source>文本等待…</source>
        <translation>Waiting for data (text)…</translation>
    </message>
    <message>
        <source>预设指令</source>
        <translation>Preset commands</translation>
    </message>
    <message>
        <source>筛选</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>无匹配预设</source>
        <translation>No matching preset</translation>
    </message>
    <message>
        <source>Hex 发送</source>
        <translation>Send as hex</translation>
    </message>
    <message>
        <source>勾选：按十六进制发字节（如 AA 55）。#vorn 文本指令请勿勾选。</source>
        <translation>Checked: sends the bytes written in hex (e.g. AA 55). Leave it unchecked for #vorn text commands.</translation>
    </message>
    <message>
        <source>原始字符串</source>
        <translation>Raw text</translation>
    </message>
    <message>
        <source>发送</source>
        <translation>Send</translation>
    </message>
</context>
<context>
    <name>ReadbackChip</name>
    <message>
        <source>回读</source>
        <translation>Read-back</translation>
    </message>
</context>
<context>
    <name>RecordPage</name>
    <message>
        <source>选择记录文件</source>
        <translation>Choose recording file</translation>
    </message>
    <message>
        <source>记录文件 (*.txt *.bin);;所有文件 (*)</source>
        <translation>Recordings (*.txt *.bin);;All files (*)</translation>
    </message>
    <message>
        <source>记录目录</source>
        <translation>Recording folder</translation>
    </message>
    <message>
        <source>遥测 CSV</source>
        <translation>Telemetry CSV</translation>
    </message>
    <message>
        <source>数据记录</source>
        <translation>Data recording</translation>
    </message>
    <message>
        <source>磁盘写入中</source>
        <translation>Writing to disk</translation>
    </message>
    <message>
        <source>写入失败，记录已停止</source>
        <translation>Write failed, recording stopped</translation>
    </message>
    <message>
        <source>解析帧 + 串口原码双路落盘</source>
        <translation>Parsed frames and raw serial bytes, written side by side</translation>
    </message>
    <message>
        <source>待命</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>离线</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>已写入的数据保留在文件中；请清理磁盘空间或换一个目录后重新开始。</source>
        <translation>The data already written stay in the files; free some disk space or choose another folder, then start again.</translation>
    </message>
    <message>
        <source>已连接</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>未连接</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>时</source>
        <translation>h</translation>
    </message>
    <message>
        <source>分</source>
        <translation>min</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>缓冲约 200 ms 落盘，停录后可查看文件</source>
        <translation>Saved about every 200 ms; open the files once stopped</translation>
    </message>
    <message>
        <source>■  停止并保存</source>
        <translation>■  Stop and save</translation>
    </message>
    <message>
        <source>▶  选择目录并开始</source>
        <translation>▶  Choose folder and start</translation>
    </message>
    <message>
        <source>点击开始后选择文件夹，无需提前手动建文件</source>
        <translation>Click start, then choose a folder; no need to create the files first</translation>
    </message>
    <message>
        <source>连接设备后即可开始记录</source>
        <translation>Connect the device to start recording</translation>
    </message>
    <message>
        <source>请先在右上角添加并连接设备</source>
        <translation>First add and connect a device at the top right</translation>
    </message>
    <message>
        <source>写入目录：%1</source>
        <translation>Writing to: %1</translation>
    </message>
    <message>
        <source>上次记录目录：%1</source>
        <translation>Last recording folder: %1</translation>
    </message>
    <message>
        <source>指定 CSV 路径…</source>
        <translation>Choose CSV path…</translation>
    </message>
    <message>
        <source>输出文件</source>
        <translation>Output files</translation>
    </message>
    <message>
        <source>解析文本</source>
        <translation>Parsed text</translation>
    </message>
    <message>
        <source>每行前加主机时间，后为 #vorn,imu/ahrs/sins,…*校验</source>
        <translation>Each line: host time, then #vorn,imu/ahrs/sins,…*checksum</translation>
    </message>
    <message>
        <source>遥测表</source>
        <translation>Telemetry table</translation>
    </message>
    <message>
        <source>Hub 快照字段，逗号分隔</source>
        <translation>Hub snapshot fields, comma-separated</translation>
    </message>
    <message>
        <source>串口原码</source>
        <translation>Raw serial bytes</translation>
    </message>
    <message>
        <source>与文本同主文件名，便于对照与离线解析</source>
        <translation>Same base name as the text file, for comparison and offline parsing</translation>
    </message>
    <message>
        <source>解析格式</source>
        <translation>Parsed format</translation>
    </message>
    <message>
        <source>记录模式</source>
        <translation>Recording mode</translation>
    </message>
    <message>
        <source>等待首帧…</source>
        <translation>Waiting for the first frame…</translation>
    </message>
    <message>
        <source>文件名前缀随格式变化</source>
        <translation>The file name prefix follows the format</translation>
    </message>
    <message>
        <source>收到导航数据后自动识别 imu / ahrs / sins 等</source>
        <translation>imu / ahrs / sins etc. are recognised once navigation data arrive</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>format</translation>
    </message>
    <message>
        <source>导出记录</source>
        <translation>Export recording</translation>
    </message>
    <message>
        <source>尚无记录：停止一次记录后可导出，或选择已有的记录文件</source>
        <translation>No recording yet: stop one to export it, or choose a file</translation>
    </message>
    <message>
        <source>选择记录文件…</source>
        <translation>Choose recording file…</translation>
    </message>
    <message>
        <source>导出 CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>导出 KML</source>
        <translation>Export KML</translation>
    </message>
    <message>
        <source>CSV 可在 Excel、MATLAB 中打开；KML 为 GNSS 轨迹，可在 Google Earth 中查看</source>
        <translation>CSV opens in Excel or MATLAB; KML is the GNSS track, for Google Earth</translation>
    </message>
    <message>
        <source>正在导出 %2 为 %1…</source>
        <extracomment>%1 is the format (CSV or KML), %2 the name of the recording</extracomment>
        <translation>Exporting %2 as %1…</translation>
    </message>
    <message>
        <source>记录期间请保持连接；停止后文件立即可在目录中打开。</source>
        <translation>Stay connected while recording; once stopped, the files can be opened in the folder at once.</translation>
    </message>
</context>
<context>
    <name>ReplayBar</name>
    <message>
        <source>暂停（空格）</source>
        <translation>Pause (Space)</translation>
    </message>
    <message>
        <source>播放（空格）</source>
        <translation>Play (Space)</translation>
    </message>
    <message>
        <source>回到起点（Home）</source>
        <translation>To the start (Home)</translation>
    </message>
    <message>
        <source>上一条记录（←）</source>
        <translation>Previous record (←)</translation>
    </message>
    <message>
        <source>下一条记录（→）</source>
        <translation>Next record (→)</translation>
    </message>
    <message>
        <source>跳到末尾（End）</source>
        <translation>To the end (End)</translation>
    </message>
    <message>
        <source>回放速度</source>
        <translation>Replay speed</translation>
    </message>
    <message>
        <source>建立索引 %1%</source>
        <translation>Indexing %1%</translation>
    </message>
    <message>
        <source>记录有误</source>
        <translation>Faulty recording</translation>
    </message>
    <message>
        <source>记录频率</source>
        <translation>Record rate</translation>
    </message>
    <message>
        <source>无时间标记的记录按此频率回放</source>
        <translation>Records without a time tag are replayed at this rate</translation>
    </message>
    <message>
        <source>循环</source>
        <translation>Loop</translation>
    </message>
    <message>
        <source>播放到末尾后从头再来</source>
        <translation>Start again from the beginning after the end</translation>
    </message>
</context>
<context>
    <name>ShellFooter</name>
    <message>
        <source>运行  %1</source>
        <translation>Run time  %1</translation>
    </message>
    <message>
        <source>联机后将显示 RX / TX 与运行时间</source>
        <translation>RX / TX and run time appear once online</translation>
    </message>
    <message>
        <source>版本 %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>官网</source>
        <translation>Website</translation>
    </message>
</context>
<context>
    <name>ShellHeader</name>
    <message>
        <source>界面语言，选择后立即生效</source>
        <translation>Display language; applies at once</translation>
    </message>
    <message>
        <source>减少动效</source>
        <translation>Reduce motion</translation>
    </message>
    <message>
        <source>关闭背景动画与界面过渡动效</source>
        <translation>Turn off the background animation and the interface transitions</translation>
    </message>
    <message>
        <source>主题</source>
        <translation>Theme</translation>
    </message>
</context>
<context>
    <name>StatsPage</name>
    <message>
        <source>接收字节</source>
        <translation>Bytes received</translation>
    </message>
    <message>
        <source>发送字节</source>
        <translation>Bytes sent</translation>
    </message>
    <message>
        <source>接收时长</source>
        <translation>Receive time</translation>
    </message>
    <message>
        <source>接收包</source>
        <translation>Packets received</translation>
    </message>
    <message>
        <source>错包 · 丢包率</source>
        <translation>Bad packets · loss rate</translation>
    </message>
    <message>
        <source>频率</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>会话接收</source>
        <translation>Session RX</translation>
    </message>
    <message>
        <source>会话发送</source>
        <translation>Session TX</translation>
    </message>
    <message>
        <source>软件运行</source>
        <translation>Run time</translation>
    </message>
    <message>
        <source>二进制帧</source>
        <translation>Binary frames</translation>
    </message>
    <message>
        <source>帧</source>
        <translation>frames</translation>
    </message>
    <message>
        <source>文本语句</source>
        <translation>Text sentences</translation>
    </message>
    <message>
        <source>条</source>
        <translation>lines</translation>
    </message>
    <message>
        <source>校验失败</source>
        <translation>Checksum failures</translation>
    </message>
    <message>
        <source>拒收文本行</source>
        <translation>Rejected text lines</translation>
    </message>
    <message>
        <source>行</source>
        <translation>lines</translation>
    </message>
    <message>
        <source>跳过字节</source>
        <translation>Skipped bytes</translation>
    </message>
    <message>
        <source>丢帧</source>
        <translation>Lost frames</translation>
    </message>
    <message>
        <source>清零统计</source>
        <translation>Reset statistics</translation>
    </message>
    <message>
        <source>清零仅重置解析统计（字节/包/时长/错包），不断开连接。</source>
        <translation>Reset clears only the parsing statistics (bytes, packets, time, bad packets); the link stays connected.</translation>
    </message>
</context>
<context>
    <name>Telemetry</name>
    <message>
        <source>随帧</source>
        <translation>per frame</translation>
    </message>
    <message>
        <source>%1 · 随帧实时采样</source>
        <translation>%1 · sampled live per frame</translation>
    </message>
    <message>
        <source>%1 · 等待数据流</source>
        <translation>%1 · waiting for data</translation>
    </message>
</context>
<context>
    <name>Theme</name>
    <message>
        <source>航天国防蓝</source>
        <translation>Aerospace Blue</translation>
    </message>
    <message>
        <source>深空星尘银</source>
        <translation>Stardust Silver</translation>
    </message>
    <message>
        <source>极简高亮白</source>
        <translation>Bright White</translation>
    </message>
    <message>
        <source>极光深空紫</source>
        <translation>Aurora Violet</translation>
    </message>
</context>
<context>
    <name>ToastLayer</name>
    <message>
        <source>已发送：</source>
        <translation>Sent: </translation>
    </message>
</context>
<context>
    <name>TrackPage</name>
    <message>
        <source>GNSS 轨迹</source>
        <translation>GNSS track</translation>
    </message>
    <message>
        <source>东 / 北向米制坐标 · 起点为首个定位点</source>
        <translation>East / north in metres · origin at the first fix</translation>
    </message>
    <message>
        <source>需 sins 导航层定位字段</source>
        <translation>Needs the sins navigation layer&apos;s position fields</translation>
    </message>
    <message>
        <source>清空轨迹</source>
        <translation>Clear track</translation>
    </message>
    <message>
        <source>清除已绘制的轨迹，以下一个定位点为新起点</source>
        <translation>Clears the track drawn so far; the next fix becomes the new origin</translation>
    </message>
    <message>
        <source>放大（也可滚动鼠标滚轮）</source>
        <translation>Zoom in (or use the mouse wheel)</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>全览</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>显示整条轨迹并随轨迹自动缩放（双击地图同效）</source>
        <translation>Fit all: show the whole track and keep zooming with it (or double-click the map)</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>高度</source>
        <translation>Altitude</translation>
    </message>
    <message>
        <source>地速</source>
        <translation>Ground speed</translation>
    </message>
    <message>
        <source>航向</source>
        <translation>Heading</translation>
    </message>
    <message>
        <source>GNSS 状态</source>
        <translation>GNSS status</translation>
    </message>
    <message>
        <source>行驶里程</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>距起点</source>
        <translation>From origin</translation>
    </message>
    <message>
        <source>东西 × 南北</source>
        <translation>E–W × N–S</translation>
    </message>
    <message>
        <source>轨迹点</source>
        <translation>Track points</translation>
    </message>
    <message>
        <source>个</source>
        <translation>pts</translation>
    </message>
    <message>
        <source>当前位置</source>
        <translation>Current position</translation>
    </message>
    <message>
        <source>航迹</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>起点 %1°, %2°</source>
        <translation>Origin %1°, %2°</translation>
    </message>
    <message>
        <source>拖动平移 · 滚轮缩放 · 双击地图显示全程</source>
        <translation>Drag pans · wheel zooms · double-click fits</translation>
    </message>
</context>
<context>
    <name>UpgradePage</name>
    <message>
        <source>软件复位</source>
        <translation>Software reset</translation>
    </message>
    <message>
        <source>硬件复位</source>
        <translation>Hardware reset</translation>
    </message>
    <message>
        <source>115200 · 复位后 20 秒内进入升级模式</source>
        <translation>115200 · enters upgrade mode within 20 s of a reset</translation>
    </message>
    <message>
        <source>等待升级模式 %1s</source>
        <translation>Waiting for upgrade mode %1 s</translation>
    </message>
    <message>
        <source>传输中</source>
        <translation>Transferring</translation>
    </message>
    <message>
        <source>固件升级</source>
        <translation>Firmware upgrade</translation>
    </message>
    <message>
        <source>设备连接</source>
        <translation>Device connection</translation>
    </message>
    <message>
        <source>串口已连接</source>
        <translation>Serial port connected</translation>
    </message>
    <message>
        <source>尚未连接</source>
        <translation>Not connected yet</translation>
    </message>
    <message>
        <source>当前 115200，与升级模式一致</source>
        <translation>Now 115200, as upgrade mode needs</translation>
    </message>
    <message>
        <source>当前 %1，烧写前会重开为 115200</source>
        <translation>Now %1; reopened at 115200 before flashing</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>复位方式</source>
        <translation>Reset method</translation>
    </message>
    <message>
        <source>推荐</source>
        <translation>Recommended</translation>
    </message>
    <message>
        <source>固件文件</source>
        <translation>Firmware file</translation>
    </message>
    <message>
        <source>选择 .bin 固件</source>
        <translation>Choose a .bin firmware</translation>
    </message>
    <message>
        <source>更换</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>开始烧写</source>
        <translation>Start flashing</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>请立即手动断电再上电，或按设备复位键重启；倒计时内进入升级模式后将自动开始烧写。</source>
        <translation>Power the unit off and on now, or press its reset button; flashing starts by itself once it enters upgrade mode within the countdown.</translation>
    </message>
</context>
<context>
    <name>UserCommTab</name>
    <message>
        <source>设备回读</source>
        <translation>Unit read-back</translation>
    </message>
    <message>
        <source>固件版本</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>读版本</source>
        <translation>Read version</translation>
    </message>
    <message>
        <source>串口1 通信</source>
        <translation>Serial port 1</translation>
    </message>
    <message>
        <source>唯一编辑区 · 设后页底保存 Flash</source>
        <translation>The one place to edit · after setting, save to flash at the bottom</translation>
    </message>
    <message>
        <source>接口</source>
        <translation>Interface</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>%1（自定义）</source>
        <translation>%1 (custom)</translation>
    </message>
    <message>
        <source>频率 (Hz)</source>
        <translation>Rate (Hz)</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>回读</source>
        <translation>Read-back</translation>
    </message>
    <message>
        <source>读串口1</source>
        <translation>Read port 1</translation>
    </message>
    <message>
        <source>设串口1</source>
        <translation>Set port 1</translation>
    </message>
    <message>
        <source>安装轴向</source>
        <translation>Mounting axes</translation>
    </message>
    <message>
        <source>X/Y/Z 须各对应不同机体轴（x、y、z），且满足右手定则；不符合时无法下发设轴向。</source>
        <translation>X, Y and Z must each map to a different body axis (x, y, z) and form a right-handed set; otherwise the axes cannot be set.</translation>
    </message>
    <message>
        <source>读轴向</source>
        <translation>Read axes</translation>
    </message>
    <message>
        <source>设轴向</source>
        <translation>Set axes</translation>
    </message>
    <message>
        <source>当前组合不符合右手系或存在重复机体轴</source>
        <translation>This combination is not right-handed or repeats a body axis</translation>
    </message>
    <message>
        <source>GNSS 与外插</source>
        <translation>GNSS and extrapolation</translation>
    </message>
    <message>
        <source>GNSS 航向补偿</source>
        <translation>GNSS heading compensation</translation>
    </message>
    <message>
        <source>度</source>
        <translation>deg</translation>
    </message>
    <message>
        <source>外插时间</source>
        <translation>Extrapolation time</translation>
    </message>
    <message>
        <source>毫秒</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>读 GNSS</source>
        <translation>Read GNSS</translation>
    </message>
    <message>
        <source>设 GNSS</source>
        <translation>Set GNSS</translation>
    </message>
    <message>
        <source>读外插</source>
        <translation>Read extrapolation</translation>
    </message>
    <message>
        <source>设外插</source>
        <translation>Set extrapolation</translation>
    </message>
    <message>
        <source>读回与保存</source>
        <translation>Read back and save</translation>
    </message>
    <message>
        <source>读：串口1、轴向、GNSS、外插等一并回读。存：任意 Tab 改参后在此保存一次即可写入 Flash。</source>
        <translation>Read: serial port 1, axes, GNSS, extrapolation and the rest are read back together. Save: after changing settings on any tab, save once here to write them to flash.</translation>
    </message>
    <message>
        <source>读用户配置</source>
        <translation>Read user configuration</translation>
    </message>
    <message>
        <source>保存用户配置</source>
        <translation>Save user configuration</translation>
    </message>
    <message>
        <source>将当前用户参数写入设备 Flash，掉电后仍有效。是否继续？</source>
        <translation>Write the current user settings to the unit&apos;s flash, where they survive a power-off. Continue?</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
</context>
<context>
    <name>UserMaintTab</name>
    <message>
        <source>1 · 航向赋值 0~360°</source>
        <translation>1 · Set heading 0–360°</translation>
    </message>
    <message>
        <source>2 · 航向修正 ±0.5°</source>
        <translation>2 · Correct heading ±0.5°</translation>
    </message>
    <message>
        <source>用户存储</source>
        <translation>User storage</translation>
    </message>
    <message>
        <source>复位用户存储</source>
        <translation>Reset user storage</translation>
    </message>
    <message>
        <source>航向修正</source>
        <translation>Heading correction</translation>
    </message>
    <message>
        <source>模式</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>角度</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>度</source>
        <translation>deg</translation>
    </message>
    <message>
        <source>执行</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>高度 m</source>
        <translation>Altitude m</translation>
    </message>
    <message>
        <source>读位置</source>
        <translation>Read position</translation>
    </message>
    <message>
        <source>设位置</source>
        <translation>Set position</translation>
    </message>
    <message>
        <source>对准时间</source>
        <translation>Alignment time</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>读对准时间</source>
        <translation>Read alignment time</translation>
    </message>
    <message>
        <source>设对准时间</source>
        <translation>Set alignment time</translation>
    </message>
    <message>
        <source>用户配置区将恢复为出厂默认，此操作不可撤销。是否继续？</source>
        <translation>The user settings return to their factory defaults. This cannot be undone. Continue?</translation>
    </message>
    <message>
        <source>复位</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>WelcomePanel</name>
    <message>
        <source>尚未纳管任何设备</source>
        <translation>No devices managed yet</translation>
    </message>
    <message>
        <source>自动搜索</source>
        <translation>Auto-search</translation>
    </message>
    <message>
        <source>添加设备</source>
        <translation>Add device</translation>
    </message>
    <message>
        <source>打开记录</source>
        <translation>Open recording</translation>
    </message>
    <message>
        <source>回放已保存的记录文件（.txt / .bin），无需连接设备</source>
        <translation>Replay a saved recording (.txt / .bin); no device needed</translation>
    </message>
    <message>
        <source>自动搜索功能开发中，请使用「添加设备」手动纳管</source>
        <translation>Auto-search is not available yet; use “Add device” to manage a device</translation>
    </message>
    <message>
        <source>上电并接好线缆后，点击「添加设备」完成纳管。</source>
        <translation>Power the unit and connect its cable, then click “Add device” to manage it.</translation>
    </message>
    <message>
        <source>纳管后在功能页点击「连接」联机。</source>
        <translation>Once it is managed, click “Connect” on a function page to go online.</translation>
    </message>
    <message>
        <source>点击「打开记录」可回放已保存的记录，无需连接设备。</source>
        <translation>Click “Open recording” to replay a saved recording without a device.</translation>
    </message>
</context>
<context>
    <name>WorkProgress</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>WorkspaceSidebar</name>
    <message>
        <source>记录回放</source>
        <translation>Recording replay</translation>
    </message>
    <message>
        <source>设备总览</source>
        <translation>Device overview</translation>
    </message>
    <message>
        <source>回放中 · %1</source>
        <translation>Playing · %1</translation>
    </message>
    <message>
        <source>已暂停 · %1</source>
        <translation>Paused · %1</translation>
    </message>
</context>
<context>
    <name>cli</name>
    <message>
        <source>未知命令 %1</source>
        <translation>unknown command %1</translation>
    </message>
</context>
<context>
    <name>gcs::Application</name>
    <message>
        <source>此功能尚未提供（%1）</source>
        <translation>Not available yet (%1)</translation>
    </message>
    <message>
        <source>记录回放 · %1</source>
        <translation>Replay · %1</translation>
    </message>
    <message>
        <source>就绪 · 等待纳管设备</source>
        <translation>Ready · waiting for managed devices</translation>
    </message>
    <message numerus="yes">
        <source>纳管 %n 台 · %1</source>
        <translation>
            <numerusform>%n managed device · %1</numerusform>
            <numerusform>%n managed devices · %1</numerusform>
        </translation>
    </message>
    <message>
        <source>TelvoMonitor
版本 %1
%2</source>
        <translation>TelvoMonitor
Version %1
%2</translation>
    </message>
    <message>
        <source>请先连接设备后再切换导航输出</source>
        <translation>Connect the device before switching the navigation output</translation>
    </message>
    <message>
        <source>固件升级进行中</source>
        <translation>Firmware upgrade in progress</translation>
    </message>
    <message>
        <source>打开导航输出（%1）</source>
        <translation>Navigation output on (%1)</translation>
    </message>
    <message>
        <source>关闭导航输出（%1）</source>
        <translation>Navigation output off (%1)</translation>
    </message>
    <message>
        <source>导航输出指令发送失败，请检查串口</source>
        <translation>The navigation output command was not sent; check the serial port</translation>
    </message>
    <message>
        <source>未连接</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>已保存：%1</source>
        <translation>Saved: %1</translation>
    </message>
    <message>
        <source>（文件不是 UTF-8 编码，请另存为 UTF-8 后重试）</source>
        <translation> (the file is not UTF-8; save it as UTF-8 and try again)</translation>
    </message>
    <message>
        <source>标定数据超出数值范围，未导入：%1（%2）</source>
        <translation>Calibration values out of range, nothing imported: %1 (%2)</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>文件中没有可识别的标定数据：%1</source>
        <translation>No calibration data found in the file: %1</translation>
    </message>
    <message numerus="yes">
        <source>已读取标定数据 %n 项：%1</source>
        <translation>
            <numerusform>Read %n calibration value: %1</numerusform>
            <numerusform>Read %n calibration values: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>补偿文件为空：%1</source>
        <translation>The compensation file is empty: %1</translation>
    </message>
    <message>
        <source>补偿文件含有无法识别的字符：%1</source>
        <translation>The compensation file has characters that cannot be read: %1</translation>
    </message>
    <message>
        <source>已打开补偿文件：%1</source>
        <translation>Compensation file opened: %1</translation>
    </message>
    <message>
        <source>设备连接已断开，正在等待重新连接…</source>
        <translation>Device link lost, waiting to reconnect…</translation>
    </message>
    <message>
        <source>正在连接… %1</source>
        <translation>Connecting… %1</translation>
    </message>
    <message>
        <source>等待重新连接… %1</source>
        <translation>Waiting to reconnect… %1</translation>
    </message>
    <message>
        <source>已连接</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>连接中</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>端口号 %1 无效（需在 0～65535 内）</source>
        <translation>Port number %1 is not valid (0 to 65535)</translation>
    </message>
    <message>
        <source>当前设备未配置串口，请点顶栏「添加」重新选择端口</source>
        <translation>The current device has no serial port; click “Add” in the top bar to choose one</translation>
    </message>
    <message>
        <source>该产品不支持串口连接（与老版上位机能力一致）</source>
        <translation>This product does not support serial links (as in the earlier host software)</translation>
    </message>
    <message>
        <source>请选择串口，或点击「刷新端口」后重试</source>
        <translation>Choose a serial port, or click “Refresh ports” and try again</translation>
    </message>
    <message>
        <source>串口 %1 已被纳管设备占用，请选择其他串口；如需修改请用该设备的「编辑」</source>
        <translation>Serial port %1 is taken by a managed device; choose another port, or change that device with its “Edit”</translation>
    </message>
    <message>
        <source>无法保存串口纳管信息</source>
        <translation>Cannot save the managed serial device</translation>
    </message>
    <message>
        <source>该产品不支持 UDP 连接（与老版上位机能力一致）</source>
        <translation>This product does not support UDP links (as in the earlier host software)</translation>
    </message>
    <message>
        <source>无法保存 UDP 纳管信息</source>
        <translation>Cannot save the managed UDP device</translation>
    </message>
    <message>
        <source>该产品不支持 TCP 连接（与老版上位机能力一致）</source>
        <translation>This product does not support TCP links (as in the earlier host software)</translation>
    </message>
    <message>
        <source>无法保存 TCP 纳管信息</source>
        <translation>Cannot save the managed TCP device</translation>
    </message>
    <message>
        <source>设备不存在或已移除</source>
        <translation>The device does not exist or was removed</translation>
    </message>
    <message>
        <source>无法保存：串口为空，或相同串口已被其他纳管设备占用</source>
        <translation>Cannot save: no serial port, or the port is taken by another managed device</translation>
    </message>
    <message>
        <source>无法保存：远端地址无效，或相同 UDP 连接已被其他纳管设备占用</source>
        <translation>Cannot save: the remote address is not valid, or the same UDP link is taken by another managed device</translation>
    </message>
    <message>
        <source>无法保存：相同 TCP 监听端口已被其他纳管设备占用</source>
        <translation>Cannot save: the TCP listening port is taken by another managed device</translation>
    </message>
    <message>
        <source>无法保存日志：%1（%2）</source>
        <translation>Cannot save the log: %1 (%2)</translation>
    </message>
    <message>
        <source>设备已重新连接</source>
        <translation>Device reconnected</translation>
    </message>
    <message>
        <source>无法添加波特率 %1（需在 300～3000000 内，且不能与已有项重复）</source>
        <translation>Cannot add baud rate %1 (300 to 3000000, not one already listed)</translation>
    </message>
    <message>
        <source>已添加波特率 %1</source>
        <translation>Baud rate %1 added</translation>
    </message>
    <message>
        <source>无法删除波特率 %1（仅可删除手动添加项）</source>
        <translation>Cannot remove baud rate %1 (only rates added by hand can be removed)</translation>
    </message>
    <message>
        <source>已删除自定义波特率 %1</source>
        <translation>Custom baud rate %1 removed</translation>
    </message>
    <message>
        <source>已刷新：未发现可用串口</source>
        <translation>Refreshed: no serial port found</translation>
    </message>
    <message numerus="yes">
        <source>已刷新串口列表（%n 个）</source>
        <translation>
            <numerusform>Port list refreshed (%n port)</numerusform>
            <numerusform>Port list refreshed (%n ports)</numerusform>
        </translation>
    </message>
    <message>
        <source>当前不支持串口自动发现</source>
        <translation>Serial auto-search is not available for this product</translation>
    </message>
    <message>
        <source>正在搜索惯导设备…</source>
        <translation>Searching for INS units…</translation>
    </message>
    <message>
        <source>未发现惯导设备</source>
        <translation>No INS unit found</translation>
    </message>
    <message>
        <source>发现串口响应，但对应产品不支持串口纳管</source>
        <translation>A port answered, but its product cannot be managed over serial</translation>
    </message>
    <message>
        <source>已识别 %1 · %2 @ %3，请在本页点击连接</source>
        <translation>Found %1 · %2 @ %3; click Connect on this page</translation>
    </message>
    <message>
        <source>；另发现 %1</source>
        <translation>; also found %1</translation>
    </message>
    <message>
        <source>探测中…</source>
        <translation>Probing…</translation>
    </message>
    <message>
        <source>正在检测串口与波特率…</source>
        <translation>Detecting port and baud rate…</translation>
    </message>
    <message>
        <source>检测已停止：串口正在连接</source>
        <translation>Detection stopped: the port is connecting</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>无法打开串口「%1」，请确认设备已上电、驱动正常，且未被 TelvoMonitor 等其它程序占用</source>
        <translation>Cannot open serial port “%1”; check that the unit is powered, its driver works and no other program (such as another TelvoMonitor) holds the port</translation>
    </message>
    <message>
        <source>无法载入英文翻译，界面仍为中文</source>
        <translation>Cannot load the English translation; the window stays in Chinese</translation>
    </message>
    <message>
        <source>%1；未能另存原文件副本（%2）</source>
        <translation>%1; the original file could not be kept (%2)</translation>
    </message>
    <message>
        <source>%1；原文件已另存为 %2</source>
        <translation>%1; the original file was kept as %2</translation>
    </message>
    <message>
        <source>设置文件无法读取，无法识别的设置已恢复默认</source>
        <translation>The settings file could not be read; settings that could not be read are back to their defaults</translation>
    </message>
    <message>
        <source>设备列表无法读取，已纳管的设备未能载入</source>
        <translation>The device list could not be read; the managed devices were not loaded</translation>
    </message>
    <message>
        <source>。</source>
        <translation>. </translation>
    </message>
    <message>
        <source>请先连接设备后再开始记录</source>
        <translation>Connect the device before you start recording</translation>
    </message>
    <message>
        <source>请先停止记录再导出</source>
        <translation>Stop the recording before you export</translation>
    </message>
    <message>
        <source>还没有可导出的记录，请先开始并停止一次记录</source>
        <translation>No recording to export yet; start and stop a recording first</translation>
    </message>
    <message>
        <source>不支持的导出格式：%1</source>
        <translation>Export format not supported: %1</translation>
    </message>
    <message>
        <source>正在导出，请等待完成或先取消</source>
        <translation>An export is running; wait for it to finish or cancel it</translation>
    </message>
    <message>
        <source>导出 %1</source>
        <translation>Export %1</translation>
    </message>
    <message>
        <source>打开记录</source>
        <translation>Open recording</translation>
    </message>
    <message>
        <source>记录文件 (*.txt *.bin);;所有文件 (*)</source>
        <translation>Recordings (*.txt *.bin);;All files (*)</translation>
    </message>
    <message>
        <source>固件升级进行中，无法打开记录</source>
        <translation>Firmware upgrade in progress; a recording cannot be opened</translation>
    </message>
    <message>
        <source>记录文件不存在：%1</source>
        <translation>Recording not found: %1</translation>
    </message>
    <message>
        <source>回放</source>
        <translation>Replay</translation>
    </message>
    <message>
        <source>正在回放：%1</source>
        <translation>Replaying: %1</translation>
    </message>
    <message>
        <source>指令发送失败</source>
        <translation>The command was not sent</translation>
    </message>
    <message>
        <source>会话未连接</source>
        <translation>Session not connected</translation>
    </message>
    <message>
        <source>发送失败</source>
        <translation>Send failed</translation>
    </message>
    <message numerus="yes">
        <source>已发送 Hex（%n 字节）</source>
        <translation>
            <numerusform>Sent hex (%n byte)</numerusform>
            <numerusform>Sent hex (%n bytes)</numerusform>
        </translation>
    </message>
    <message>
        <source>已发送：%1</source>
        <translation>Sent: %1</translation>
    </message>
</context>
<context>
    <name>gcs::AxisTriple</name>
    <message>
        <source>当前组合不符合右手系或存在重复机体轴</source>
        <translation>These axes are not right-handed or repeat a body axis</translation>
    </message>
</context>
<context>
    <name>gcs::ForwardEndpoint</name>
    <message>
        <source>“%1”不是“[IPv6 地址]:端口”</source>
        <translation>&quot;%1&quot; is not &quot;[IPv6 address]:port&quot;</translation>
    </message>
    <message>
        <source>IPv6 地址须写在方括号里：“[%1]:%2”</source>
        <translation>An IPv6 address goes in brackets: &quot;[%1]:%2&quot;</translation>
    </message>
    <message>
        <source>“%1”缺少地址，应为“地址:端口”</source>
        <translation>&quot;%1&quot; has no address; write &quot;address:port&quot;</translation>
    </message>
    <message>
        <source>端口“%1”无效，应为 1 到 65535</source>
        <translation>Port &quot;%1&quot; is not valid; use 1 to 65535</translation>
    </message>
</context>
<context>
    <name>gcs::Forwarder</name>
    <message>
        <source>UDP 转发：请填写目标地址</source>
        <translation>UDP forwarding: enter a target address</translation>
    </message>
    <message>
        <source>UDP 转发：端口须在 1 到 65535 之间</source>
        <translation>UDP forwarding: the port must be from 1 to 65535</translation>
    </message>
    <message>
        <source>NMEA 转发：请填写监听地址</source>
        <translation>NMEA forwarding: enter an address to listen on</translation>
    </message>
    <message>
        <source>NMEA 转发：端口须在 1 到 65535 之间</source>
        <translation>NMEA forwarding: the port must be from 1 to 65535</translation>
    </message>
    <message>
        <source>NMEA 转发：频率须在 0.1 到 100 Hz 之间</source>
        <translation>NMEA forwarding: the rate must be from 0.1 to 100 Hz</translation>
    </message>
    <message>
        <source>未开启</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>正在解析 %1…</source>
        <translation>Resolving %1…</translation>
    </message>
    <message>
        <source>发送到 %1:%2</source>
        <translation>Sending to %1:%2</translation>
    </message>
    <message numerus="yes">
        <source>监听 %1:%2 · %n 个客户端</source>
        <translation>
            <numerusform>Listening on %1:%2 · %n client</numerusform>
            <numerusform>Listening on %1:%2 · %n clients</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>gcs::NmeaServer</name>
    <message>
        <source>NMEA 转发：无法解析地址 %1（%2）</source>
        <translation>NMEA forwarding: cannot resolve %1 (%2)</translation>
    </message>
    <message>
        <source>NMEA 转发：端口 %1 已被占用（%2），请换一个端口</source>
        <translation>NMEA forwarding: port %1 is in use (%2); choose another port</translation>
    </message>
    <message>
        <source>NMEA 转发：%1 不是本机的地址，无法在其上监听</source>
        <translation>NMEA forwarding: %1 is not an address of this computer; cannot listen on it</translation>
    </message>
    <message>
        <source>NMEA 转发：无权监听 %1</source>
        <translation>NMEA forwarding: no permission to listen on %1</translation>
    </message>
    <message>
        <source>NMEA 转发：无法监听 %1（%2）</source>
        <translation>NMEA forwarding: cannot listen on %1 (%2)</translation>
    </message>
</context>
<context>
    <name>gcs::Recorder</name>
    <message>
        <source>记录文件写入失败：%1（%2），记录已停止（已记录 %3）</source>
        <translation>Cannot write the recording: %1 (%2); recording stopped (recorded %3)</translation>
    </message>
    <message>
        <source>磁盘空间已满</source>
        <translation>disk full</translation>
    </message>
</context>
<context>
    <name>gcs::Startup</name>
    <message>
        <source>TelvoMonitor 已在运行中。</source>
        <translation>TelvoMonitor is already running.</translation>
    </message>
    <message>
        <source>请勿重复打开多个实例；若需重新启动，请先关闭已有窗口。</source>
        <translation>Open only one instance; to start again, close the running window first.</translation>
    </message>
</context>
<context>
    <name>gcs::TextFile</name>
    <message>
        <source>未选择文件</source>
        <translation>No file chosen</translation>
    </message>
    <message>
        <source>无法打开文件：%1（%2）</source>
        <translation>Cannot open the file: %1 (%2)</translation>
    </message>
    <message>
        <source>文件过大：%1（超过 %2 MB）</source>
        <translation>File too large: %1 (over %2 MB)</translation>
    </message>
    <message>
        <source>无法读取文件：%1（%2）</source>
        <translation>Cannot read the file: %1 (%2)</translation>
    </message>
    <message>
        <source>未选择保存位置</source>
        <translation>No place to save chosen</translation>
    </message>
    <message>
        <source>无法写入文件：%1（%2）</source>
        <translation>Cannot write the file: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>gcs::UdpJsonSender</name>
    <message>
        <source>UDP 转发：无法解析地址 %1（%2）</source>
        <translation>UDP forwarding: cannot resolve %1 (%2)</translation>
    </message>
    <message>
        <source>UDP 转发：发送到 %1:%2 失败（%3）</source>
        <translation>UDP forwarding: sending to %1:%2 failed (%3)</translation>
    </message>
</context>
</TS>
